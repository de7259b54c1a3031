#!/usr/bin/env bash
# check-desktop-metadata.sh DESKTOP_FILE METAINFO VERSION
#
# The desktop entry must pass desktop-file-validate and the AppStream
# metadata appstreamcli validate --no-net (warnings count); the metadata must
# launch that desktop entry and carry a screenshot, the release VERSION and a
# content rating.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: check-desktop-metadata.sh DESKTOP_FILE METAINFO VERSION" >&2
    exit 2
fi
desktop=$1
metainfo=$2
version=$3
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

desktop-file-validate "$desktop"
appstreamcli validate --no-net --explain "$metainfo"

problems=()
grep -qF "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    problems+=("no launchable for $(basename "$desktop")")
grep -qE '<screenshot type="default">' "$metainfo" || problems+=("no default screenshot")
grep -qE '<image[^>]*>https://[^<]+</image>' "$metainfo" || problems+=("the screenshot has no image address")
grep -qE "<release version=\"$version\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$metainfo" ||
    problems+=("no release $version with its date")
grep -qE '<content_rating type="oars-1\.[01]"' "$metainfo" || problems+=("no content rating")
if [ ${#problems[@]} -ne 0 ]; then
    printf '%s: %s\n' "$metainfo" "${problems[@]}" >&2
    exit 1
fi
echo "desktop entry and metadata valid"
