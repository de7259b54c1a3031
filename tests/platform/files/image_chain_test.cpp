// Snapshot chains and images qemu only reads: a child is changed alone, a
// base with children and a streamOptimized VMDK are read but never written,
// differencing VHDs and VDIs are refused, each with one line that says why.

#include "common/FatImages.h"
#include "common/ScopedEnv.h"
#include "common/TestFiles.h"
#include "common/VariedLogoFile.h"
#include "platform/files/DriveFileSystems.h"
#include "platform/files/ImageDriveCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using testing_support::ReadAll;
using testing_support::Shell;
using testing_support::TempDir;
using Bytes = std::vector<std::uint8_t>;

class ImageChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testing_support::HasImageTools())
            GTEST_SKIP() << "mtools, dosfstools, fdisk or qemu-utils missing";
        logo_ = testing_support::WriteVariedLogoFile(dir_.File("logo.bmp"), 31);
        raw_ = dir_.File("volume.img");
        ASSERT_TRUE(testing_support::MakeFatVolume(raw_, 12, 1440, logo_));
    }
    std::string Convert(const std::string& name, const std::string& format, const std::string& options) const
    {
        const std::string image = dir_.File(name);
        EXPECT_TRUE(testing_support::ConvertImage(raw_, image, format, options));
        return image;
    }
    static std::unique_ptr<platform::DriveFileSystems> Open(const std::string& image)
    {
        platform::DriveTable table;
        table.Map('C', image);
        return platform::DriveFileSystems::FromDriveTable(table);
    }
    // A differencing child is refused with the line that says why, and its
    // base, which names it, is only read.
    void ExpectRefusedChildAndReadBase(const std::string& child, const std::string& kindName,
                                       const std::string& base) const
    {
        EXPECT_EQ(platform::CheckImageDrive(child).problem,
                  "is a " + kindName + " (a snapshot on top of another disk), which qemu cannot open together with "
                  "its parent; that parent must not be changed either, or this snapshot breaks");
        const platform::ImageDriveReport ofBase = platform::CheckImageDrive(base);
        ASSERT_EQ(ofBase.notes.size(), 1u);
        EXPECT_NE(ofBase.notes[0].find("'" + child + "'"), std::string::npos) << ofBase.notes[0];
        ExpectOnlyRead(base);
    }
    // Read, never written: every write fails at once and the image's bytes
    // stay as they were.
    void ExpectOnlyRead(const std::string& image) const
    {
        const Bytes before = ReadAll(image);
        const auto files = Open(image);
        EXPECT_TRUE(files->Exists("C:\\WINDOWS\\LOGOW.SYS"));
        EXPECT_FALSE(files->SetAttributes("C:\\logo.sys", FILE_ATTRIBUTE_NORMAL));
        EXPECT_FALSE(files->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
        EXPECT_FALSE(files->Delete("C:\\WINDOWS\\LOGOW.SYS"));
        EXPECT_EQ(ReadAll(image), before);
    }

    TempDir dir_;
    testing_support::ScopedEnv cache_{"XDG_CACHE_HOME", dir_.File("cache")};
    std::string logo_;
    std::string raw_;
};

struct ChainKind {
    const char* name;
    const char* baseFile;
    const char* baseFormat;  // qemu-img's name; "raw" converts nothing
    const char* baseOptions;
    const char* childFormat;
};

class ImageChainOfKind : public ImageChain, public ::testing::WithParamInterface<ChainKind> {};

TEST_P(ImageChainOfKind, ChildIsChangedAloneAndBaseIsOnlyRead)
{
    const ChainKind& kind = GetParam();
    const std::string base = std::string(kind.baseFormat) == "raw"
                                 ? raw_
                                 : Convert(kind.baseFile, kind.baseFormat, kind.baseOptions);
    const std::string child = dir_.File(std::string("child.") + kind.childFormat);
    ASSERT_EQ(Shell("qemu-img create -q -f " + std::string(kind.childFormat) + " -b '" + base + "' -F " +
                    kind.baseFormat + " '" + child + "'"),
              0);
    const Bytes baseBefore = ReadAll(base);

    const platform::ImageDriveReport ofChild = platform::CheckImageDrive(child);
    EXPECT_EQ(ofChild.problem, "");
    EXPECT_TRUE(ofChild.notes.empty());
    ASSERT_TRUE(Open(child)->Copy(logo_, "C:\\WINDOWS\\Logos.sys", false));
    EXPECT_TRUE(Open(child)->Exists("C:\\WINDOWS\\LOGOS.SYS"));
    EXPECT_EQ(ReadAll(base), baseBefore);

    const platform::ImageDriveReport ofBase = platform::CheckImageDrive(base);
    EXPECT_EQ(ofBase.problem, "");
    ASSERT_EQ(ofBase.notes.size(), 1u);
    EXPECT_EQ(ofBase.notes[0], "is the base of the snapshot '" + child +
                                   "': it is read but not written, since changing it would corrupt that snapshot");
    ExpectOnlyRead(base);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ImageChainOfKind,
    ::testing::Values(ChainKind{"Qcow2OnQcow2", "base.qcow2", "qcow2", "compat=1.1", "qcow2"},
                      ChainKind{"SparseVmdkOnSparseVmdk", "base.vmdk", "vmdk", "subformat=monolithicSparse", "vmdk"},
                      ChainKind{"Qcow2OnRaw", "", "raw", "", "qcow2"}),
    [](const ::testing::TestParamInfo<ChainKind>& info) { return std::string(info.param.name); });

void Put(Bytes& bytes, std::size_t at, const Bytes& value)
{
    std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t length)
{
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + length)};
}

// A differencing VHD as 86Box or DOSBox-X makes one: a footer of type 4
// (at the start and the end), a dynamic header naming the parent by its
// unique id and name.
TEST_F(ImageChain, DifferencingVhdIsRefusedAndItsBaseOnlyRead)
{
    const std::string base = Convert("base.vhd", "vpc", "subformat=fixed");
    const Bytes baseBytes = ReadAll(base);
    Bytes footer = Slice(baseBytes, baseBytes.size() - 512, 512);
    footer[63] = 4;
    Put(footer, 16, {0, 0, 0, 0, 0, 0, 2, 0});  // the dynamic header at 512
    footer[68] ^= 0xFF;                         // an id of its own
    Bytes header(1024, 0);
    Put(header, 0, {'c', 'x', 's', 'p', 'a', 'r', 's', 'e'});
    Put(header, 40, Slice(baseBytes, baseBytes.size() - 512 + 68, 16));
    const std::string parentName = "base.vhd";  // UTF-16BE
    for (std::size_t i = 0; i < parentName.size(); ++i)
        header[64 + 2 * i + 1] = static_cast<std::uint8_t>(parentName[i]);
    Bytes child = footer;
    child.insert(child.end(), header.begin(), header.end());
    child.insert(child.end(), footer.begin(), footer.end());
    std::filesystem::create_directories(dir_.File("Snapshots"));
    const std::string childPath = dir_.File("Snapshots/child.vhd");
    testing_support::WriteAll(childPath, child);
    ExpectRefusedChildAndReadBase(childPath, "differencing VHD", base);
}

// VirtualBox's snapshots: a differencing VDI whose linkage UUID is the
// base's creation UUID, and the machine file that nests one under the base.
TEST_F(ImageChain, DifferencingVdiIsRefusedAndItsBaseOnlyRead)
{
    const std::string base = Convert("base.vdi", "vdi", "static=off");
    Bytes child = ReadAll(base);
    child[76] = 4;
    Put(child, 424, Slice(child, 392, 16));
    child[392] ^= 0xFF;
    const std::string childPath = dir_.File("child.vdi");
    testing_support::WriteAll(childPath, child);
    ExpectRefusedChildAndReadBase(childPath, "differencing VDI", base);
}

TEST_F(ImageChain, MachineFileNamingAChildMakesTheBaseOnlyRead)
{
    const std::string base = Convert("Win98.vdi", "vdi", "static=off");
    std::ofstream(dir_.File("Win98.vbox"))
        << "<?xml version=\"1.0\"?>\n<VirtualBox xmlns=\"http://www.virtualbox.org/\" version=\"1.16-linux\">\n"
           "  <Machine uuid=\"{1}\" name=\"Win98\">\n    <MediaRegistry>\n      <HardDisks>\n"
           "        <HardDisk uuid=\"{2}\" location=\"Win98.vdi\" format=\"VDI\" type=\"Normal\">\n"
           "          <HardDisk uuid=\"{3}\" location=\"Snapshots/{3}.vdi\" format=\"VDI\"/>\n"
           "        </HardDisk>\n      </HardDisks>\n    </MediaRegistry>\n  </Machine>\n</VirtualBox>\n";
    const platform::ImageDriveReport report = platform::CheckImageDrive(base);
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_NE(report.notes[0].find("'" + dir_.File("Snapshots/{3}.vdi") + "'"), std::string::npos) << report.notes[0];
    ExpectOnlyRead(base);
}

TEST_F(ImageChain, StreamOptimizedVmdkIsReadAndWritesAreRefusedUpFront)
{
    const std::string image = Convert("stream.vmdk", "vmdk", "subformat=streamOptimized");
    const platform::ImageDriveReport report = platform::CheckImageDrive(image);
    EXPECT_EQ(report.problem, "");
    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0], "is a streamOptimized VMDK, which qemu cannot change in place: it is read but not "
                               "written (convert it to change it: qemu-img convert -O vmdk -o "
                               "subformat=monolithicSparse IN OUT)");
    ExpectOnlyRead(image);
}

}  // namespace
