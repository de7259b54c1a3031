// Reading the resource section from a module file: this test executable
// carries the section itself, since it links the compiled resources.

#include "common/TestFiles.h"
#include "platform/modres/ModuleFile.h"
#include "platform/modres/ResourceBlob.h"
#include "resources/ModuleResourceBlob.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::string SelfPath()
{
    return fs::read_symlink("/proc/self/exe").string();
}

using testing_support::ReadAll;

class ModuleFile : public testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        testing_support::WriteAll(m_folder.File(name), bytes);
        return m_folder.File(name);
    }

    testing_support::TempDir m_folder;
};

TEST_F(ModuleFile, ReadsTheSectionOfThisExecutable)
{
    const auto section = platform::ReadModuleResourceSection(SelfPath());
    ASSERT_TRUE(section.has_value());
    const std::span<const std::uint8_t> blob = res::ModuleResourceBlob();
    // The section may be padded after the blob, never shorter.
    ASSERT_GE(section->size(), blob.size());
    EXPECT_TRUE(std::equal(blob.begin(), blob.end(), section->begin()));
    const platform::ResourceBlob parsed(*section);
    EXPECT_EQ(parsed.FindString(1), "Lumivane");
}

TEST_F(ModuleFile, OtherSectionNamesAreFoundExactly)
{
    EXPECT_TRUE(platform::ReadElfSection(SelfPath(), ".text").has_value());
    EXPECT_FALSE(platform::ReadElfSection(SelfPath(), "lumva_rsr").has_value());
    EXPECT_FALSE(platform::ReadElfSection(SelfPath(), "lumva_rsrc_").has_value());
    // .bss occupies no file space, so it has no contents to read.
    EXPECT_FALSE(platform::ReadElfSection(SelfPath(), ".bss").has_value());
}

TEST_F(ModuleFile, MissingFileIsRefused)
{
    EXPECT_FALSE(platform::ReadModuleResourceSection(m_folder.File("absent.cpl")).has_value());
    EXPECT_FALSE(platform::ReadModuleResourceSection(m_folder.Path().string()).has_value());
}

TEST_F(ModuleFile, NonElfFileIsRefused)
{
    const std::string text(200, 'x');
    EXPECT_FALSE(platform::ReadModuleResourceSection(Write("text.cpl", {text.begin(), text.end()})).has_value());
    EXPECT_FALSE(platform::ReadModuleResourceSection(Write("empty.cpl", {})).has_value());
}

TEST_F(ModuleFile, TruncatedCopiesAreRefused)
{
    const std::vector<std::uint8_t> self = ReadAll(SelfPath());
    ASSERT_GT(self.size(), 4096u);
    // Section headers sit at the end of the file: any cut loses them.
    for (const std::size_t size : {std::size_t{4}, std::size_t{63}, std::size_t{64}, std::size_t{4096},
                                   self.size() / 2, self.size() - 1}) {
        const std::vector<std::uint8_t> cut(self.begin(), self.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(platform::ReadModuleResourceSection(Write("cut.cpl", cut)).has_value()) << size;
    }
}

struct HeaderDamage {
    const char* name;
    std::size_t at;
    std::vector<std::uint8_t> bytes;
};

class DamagedHeader : public ModuleFile, public testing::WithParamInterface<HeaderDamage> {};

TEST_P(DamagedHeader, IsRefused)
{
    std::vector<std::uint8_t> self = ReadAll(SelfPath());
    const HeaderDamage& damage = GetParam();
    std::copy(damage.bytes.begin(), damage.bytes.end(), self.begin() + static_cast<std::ptrdiff_t>(damage.at));
    EXPECT_FALSE(platform::ReadModuleResourceSection(Write("damaged.cpl", self)).has_value());
}

// ELF64 header: class at 4, data at 5, e_shoff at 40, e_shentsize at 58,
// e_shnum at 60, e_shstrndx at 62.
INSTANTIATE_TEST_SUITE_P(
    Fields, DamagedHeader,
    testing::Values(HeaderDamage{"Class32", 4, {1}}, HeaderDamage{"BigEndian", 5, {2}},
                    HeaderDamage{"SectionTableBeyondEnd", 40, {0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
                    HeaderDamage{"SectionTableOffsetWraps", 40, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                    HeaderDamage{"EntrySizeTooSmall", 58, {8, 0}}, HeaderDamage{"NameTableIndexTooLarge", 62, {0xFE, 0xFF}},
                    HeaderDamage{"TooManySections", 60, {0xFF, 0xFF}}),
    [](const testing::TestParamInfo<HeaderDamage>& info) { return std::string(info.param.name); });

}  // namespace
