#include "platform/files/VirtualBoxMedia.h"

#include <expat.h>

#include <cstring>
#include <limits>
#include <memory>

namespace platform {

namespace {

struct Reading {
    std::vector<VirtualBoxDisk> disks;
    std::vector<std::size_t> open;  // indexes of the HardDisk elements we are inside
};

void StartElement(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto& reading = *static_cast<Reading*>(data);
    if (std::strcmp(name, "HardDisk") != 0)
        return;
    VirtualBoxDisk disk;
    for (const XML_Char** pair = attributes; pair[0] != nullptr; pair += 2) {
        if (std::strcmp(pair[0], "location") == 0)
            disk.location = pair[1];
    }
    if (!reading.open.empty())
        reading.disks[reading.open.back()].children.push_back(disk.location);
    reading.open.push_back(reading.disks.size());
    reading.disks.push_back(std::move(disk));
}

void EndElement(void* data, const XML_Char* name)
{
    auto& reading = *static_cast<Reading*>(data);
    if (std::strcmp(name, "HardDisk") == 0 && !reading.open.empty())
        reading.open.pop_back();
}

}  // namespace

std::vector<VirtualBoxDisk> ReadVirtualBoxMedia(std::string_view xml)
{
    if (xml.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return {};
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate(nullptr),
                                                                               &XML_ParserFree);
    if (!parser)
        return {};
    Reading reading;
    XML_SetUserData(parser.get(), &reading);
    XML_SetElementHandler(parser.get(), StartElement, EndElement);
    if (XML_Parse(parser.get(), xml.data(), static_cast<int>(xml.size()), XML_TRUE) != XML_STATUS_OK)
        return {};
    return reading.disks;
}

}  // namespace platform
