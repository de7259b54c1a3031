# Entry points: make test, make bench, make bench-startup, make run (see README.md).
#   make test SANITIZE=1   the suite again with the product's code under AddressSanitizer + UBSan
#   make test LABEL=logo   only the tests carrying that ctest label
#   make check-alone       every file compiled on its own, checking only (what unity builds hide)
#   make fuzz FUZZ_SECONDS=N   every libFuzzer harness for N seconds (clang, own build folder)
#   make package, make check-package   the Debian package; it checked and run from a scratch root
#   make win32              lumva.cpl for Windows (MinGW-w64, i686) in build-win32
#   make run-win32          lumva.cpl in Wine's Control Panel (a screenshot without a display)
#   make test-win32         the Win32 tests under Wine: i686 programs in build-win32-tests with
#                           the shipped lumva.cpl, or the same tests as x86-64 programs in
#                           build-win64 where this machine's Wine runs only 64-bit ones
#                           (WIN32_ARCH=i686 or x86_64 to choose)
#   make test-win32-shipped the shipped lumva.cpl alone under 32-bit Wine, as NT and as Windows 98
# Every build goes through ccache (in the user's cache folder); tests and fuzz
# harnesses run JOBS at a time (default: one per core); WERROR=1 makes every
# warning an error and UNITY=1 builds every target from batches of its files
# (.ci/run sets both).

JOBS ?= $(shell nproc)
# Paths below the project are hashed relative to it: the sanitizer build
# shares the tests' objects with the plain one through the cache.
export CCACHE_BASEDIR := $(CURDIR)
WERROR ?= 0
# CMake's unity build: each target compiled as batches of UNITY_BATCH files,
# about half the processor time of a build from scratch. Off by default, so
# that a changed file recompiles alone and every file is checked to compile
# on its own; CI turns it on, which also keeps the files free of clashes.
UNITY ?= 0
UNITY_BATCH ?= 8
BUILD_FLAGS = -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
              -DCMAKE_COMPILE_WARNING_AS_ERROR=$(if $(filter 1,$(WERROR)),ON,OFF) \
              -DCMAKE_UNITY_BUILD=$(if $(filter 1,$(UNITY)),ON,OFF) -DCMAKE_UNITY_BUILD_BATCH_SIZE=$(UNITY_BATCH)
SANITIZE ?= 0
ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-sanitize
# The product's code instrumented at -O1 with line tables (CMakeLists.txt),
# the tests as in the plain build.
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_SANITIZE=ON
else
BUILD_DIR ?= build
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=Release
endif
BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
CTEST_FLAGS = --output-on-failure --timeout 300 -j $(JOBS) $(if $(LABEL),-L $(LABEL))
FUZZ_SECONDS ?= 60
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_CXX ?= clang++-14
WIN32_ARCH ?=
WIN32_CMAKE_FLAGS = $(BUILD_FLAGS) -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps configure build test check-alone bench bench-startup run fuzz package check-package clean \
        deps-win32 win32 test-win32 test-win32-shipped run-win32

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) $(BUILD_FLAGS) $(CMAKE_FLAGS) -DLUMIVANE_BENCH=OFF

build: configure
	cmake --build $(BUILD_DIR)

test: build
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	ctest --test-dir $(BUILD_DIR) --resource-spec-file $(abspath $(BUILD_DIR))/test-resources.json $(CTEST_FLAGS)

# Every file of the tree compiled on its own, checking only (no code): what
# a unity build cannot show. About four minutes on two cores.
check-alone: deps
	cmake -S . -B build-alone $(BUILD_FLAGS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=OFF \
	      -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	scripts/compile-alone.py build-alone/compile_commands.json . $(JOBS)

bench:
	@scripts/install-deps.sh --bench
	cmake -S . -B build $(BUILD_FLAGS) -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_BENCH=ON
	cmake --build build --target lumivane_bench lumivane_ui_bench anim_bench convert_bench lumivane_image_bench
	build/bench/lumivane_bench $(BENCH_FLAGS)
	QT_QPA_PLATFORM=offscreen build/bench/convert/convert_bench
	QT_QPA_PLATFORM=offscreen build/bench/ui/lumivane_ui_bench $(BENCH_FLAGS)
	QT_QPA_PLATFORM=offscreen build/bench/anim/anim_bench $(BENCH_FLAGS)
	QT_QPA_PLATFORM=offscreen build/bench/image/lumivane_image_bench

# With a display: the real window. Without one (DISPLAY and WAYLAND_DISPLAY
# unset): the same program on a virtual display, saving the main dialog.
run: configure
	cmake --build $(BUILD_DIR) --target lumivane
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	    $(BUILD_DIR)/bin/lumivane; \
	else \
	    echo "No display: running Lumivane on a virtual display (xvfb-run) and saving the main dialog."; \
	    xvfb-run -a $(BUILD_DIR)/bin/lumivane --screenshot $(BUILD_DIR)/lumivane-main.png && \
	    echo "Screenshot of the main dialog: $(CURDIR)/$(BUILD_DIR)/lumivane-main.png"; \
	fi

# The Debian package, in $(BUILD_DIR)/: lumivane_VERSION_ARCH.deb.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The package built afresh, checked by lintian, unpacked into a scratch root
# and run from there as a user would.
check-package: build
	packaging/check-package.sh $(BUILD_DIR)

# Start-up time of lumivane --screenshot against an empty Qt dialog's.
bench-startup: deps
	cmake -S . -B build $(BUILD_FLAGS) -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_BENCH=ON
	cmake --build build --target lumivane qt_floor_dialog
	bench/screenshot_ratio.sh build 5

# The harnesses under tests/fuzz, built by clang with libFuzzer, ASan and
# UBSan in a folder of their own; the GCC build never needs clang. Each runs
# its full time, JOBS of them at once.
fuzz: deps
	cmake -S tests/fuzz -B $(FUZZ_BUILD_DIR) $(BUILD_FLAGS) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX)
	cmake --build $(FUZZ_BUILD_DIR)
	tests/fuzz/run.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS) $(JOBS)

deps-win32:
	@scripts/install-deps.sh --win32

# lumva.cpl for Windows 98 and later, checked as that system will load it.
win32: deps-win32
	cmake -S . -B build-win32 $(WIN32_CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake
	cmake --build build-win32 --target lumva_cpl
	scripts/check-pe.sh build-win32/lumva.cpl

# The tree's own GoogleTest and one ctest test per program, each run by
# scripts/wine-test.sh in the build folder's Wine prefix on a virtual display.
# The tests need the posix thread model, so the 32-bit ones build in a folder
# of their own beside the win32-model lumva.cpl of build-win32, which they
# also load and open in Wine's Control Panel (the .shipped tests). Where no
# 32-bit Wine runs, the i686 tree builds nothing and ctest reports its tests
# as not run (skipped); their names go to build-win32-tests/not-run.txt.
WIN32_TESTS_CONFIGURE = cmake -S . -B $$dir $(WIN32_CMAKE_FLAGS) \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$$arch-w64-mingw32.cmake -DLUMIVANE_MINGW_THREADS=posix
# Builds $$build in $$dir (empty: the whole tree) and runs the tests that
# $$selection selects (empty: all).
WIN32_TESTS_RUN = rm -f $$dir/not-run.txt; \
	if [ "$$arch" = i686 ] && [ "$$(scripts/wine-test.sh arch 2>/dev/null)" != i686 ]; then \
	    ctest --test-dir $$dir -N $$selection | sed -n 's/^ *Test *\#[0-9]*: //p' | grep -v '^wine\.st' | \
	        tr '\n' ' ' >$$dir/not-run.txt; \
	    ctest --test-dir $$dir $(CTEST_FLAGS) $$selection -E '\.imports$$' && \
	    echo "i686: not run, no 32-bit Wine runs here: $$(cat $$dir/not-run.txt)"; \
	else \
	    cmake --build $$dir $$build && ctest --test-dir $$dir $(CTEST_FLAGS) $$selection; \
	fi
SHIPPED_CPL = -DLUMIVANE_SHIPPED_CPL=$(CURDIR)/build-win32/lumva.cpl

test-win32: win32
	@arch="$(WIN32_ARCH)"; [ -n "$$arch" ] || arch=$$(scripts/wine-test.sh arch); \
	case "$$arch" in \
	    i686) dir=build-win32-tests; shipped="$(SHIPPED_CPL)" ;; \
	    x86_64) dir=build-win64; shipped="" ;; \
	    *) echo "WIN32_ARCH is i686 or x86_64, not $$arch" >&2; exit 2 ;; \
	esac; \
	build=""; selection=""; \
	set -x; \
	$(WIN32_TESTS_CONFIGURE) $$shipped || exit 1; \
	$(WIN32_TESTS_RUN)

# The lumva.cpl that ships alone, under 32-bit Wine as Windows NT and as
# Windows 98: the Control Panel host, Wine's Control Panel and the scenarios
# played through its windows (the tests labelled shipped), with only their
# programs built in the i686 tree.
test-win32-shipped: win32
	@arch=i686; dir=build-win32-tests; selection="-L shipped"; \
	build="--target win32_cpl_host_test win32_control_panel_test win32_shipped_scenario_test"; \
	set -x; \
	$(WIN32_TESTS_CONFIGURE) $(SHIPPED_CPL) || exit 1; \
	$(WIN32_TESTS_RUN)

# The applet in Wine's Control Panel, on a prefix of its own with the sample
# pictures; without a display a screenshot of the main dialog.
run-win32: deps-win32 configure
	cmake --build $(BUILD_DIR) --target lumivane_sample_drive
	@arch="$(WIN32_ARCH)"; [ -n "$$arch" ] || arch=$$(scripts/wine-test.sh arch); \
	case "$$arch" in \
	    i686) dir=build-win32 ;; \
	    x86_64) dir=build-win64 ;; \
	    *) echo "WIN32_ARCH is i686 or x86_64, not $$arch" >&2; exit 2 ;; \
	esac; \
	cmake -S . -B $$dir $(WIN32_CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-$$arch-w64-mingw32.cmake && \
	cmake --build $$dir --target lumva_cpl && \
	scripts/run-win32.sh $$dir $(BUILD_DIR)/src/host/lumivane_sample_drive

clean:
	rm -rf build build-alone build-sanitize build-fuzz build-win32 build-win32-tests build-win64
