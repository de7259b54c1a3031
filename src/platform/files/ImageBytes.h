#pragma once
// Random access to the bytes of a disk image file (or, for the fuzz harness
// and tests, of a buffer). Every reader of image structures goes through it,
// so a short or failed read is one answer: no bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ImageBytes {
public:
    virtual ~ImageBytes() = default;
    virtual std::uint64_t Size() const = 0;
    // Exactly length bytes from offset, or nullopt (short file, read error).
    virtual std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::size_t length) const = 0;
};

class BufferImageBytes final : public ImageBytes {
public:
    explicit BufferImageBytes(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::size_t length) const override;

private:
    std::vector<std::uint8_t> bytes_;
};

class FileImageBytes final : public ImageBytes {
public:
    explicit FileImageBytes(const std::string& hostPath);
    ~FileImageBytes() override;
    FileImageBytes(const FileImageBytes&) = delete;
    FileImageBytes& operator=(const FileImageBytes&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    std::uint64_t Size() const override { return size_; }
    std::optional<std::vector<std::uint8_t>> Read(std::uint64_t offset, std::size_t length) const override;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

std::uint16_t Le16(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint64_t Le64(const std::vector<std::uint8_t>& bytes, std::size_t at);
std::uint32_t Be32(const std::vector<std::uint8_t>& bytes, std::size_t at);
// Whether bytes begin with the characters of text (a format's magic).
bool BytesStartWith(const std::vector<std::uint8_t>& bytes, std::string_view text);

// What the readers of partition tables and image containers share: the
// sector they count in, the VDI header's signature (at offset 64) and the
// most a VMDK descriptor may take.
constexpr std::uint64_t kImageSector = 512;
constexpr std::uint32_t kVdiSignature = 0xBEDA107F;
constexpr std::size_t kMaxVmdkDescriptor = 64 * 1024;

}  // namespace platform
