// The real file dialog: title, filters and their index, default extension,
// initial folder or file, and the checks it makes before it accepts a name.

#include "common/TempDir.h"
#include "platform/files/DriveTable.h"
#include "platform/files/FileSystem.h"
#include "platform/files/HostDriveFileSystem.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/ModalWidgetWatcher.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

using platform::FileDialogMode;
using platform::FileDialogRequest;
using services_test::WhenModalOpens;

namespace {

constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN;

FileDialogRequest SaveLogoRequest()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.title = "Save Logo As...";
    request.filter = "Static Logo|*.bmp|Animated Logo|*.bmp||";
    request.defaultExtension = ".bmp";
    request.flags = kSaveFlags;
    return request;
}

void Touch(const std::filesystem::path& path)
{
    std::ofstream(path) << "x";
}

// Types a name into the dialog's name field, as the user would: the field
// has the keyboard focus.
void TypeName(QFileDialog* dialog, const QString& name)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::OtherFocusReason);
    edit->setText(name);
}

// Runs `act` on the open file dialog; closes it if it is something else.
void OnFileDialog(std::function<void(QFileDialog*)> act)
{
    WhenModalOpens([act = std::move(act)](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "not a file dialog";
            modal->close();
            return;
        }
        act(dialog);
    });
}

class QtFileDialogTest : public testing::Test {
protected:
    void TearDown() override
    {
        // Write protection set by a test must not stop the folder's removal.
        std::filesystem::permissions(Root(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Root()))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add);
        platform::SetFileSystem(nullptr);
    }

    std::filesystem::path Root() const { return m_dir.Path(); }
    QString RootQ() const { return QString::fromStdString(m_dir.Path().string()); }

    testing_support::TempDir m_dir;
    platform::QtPrompts m_prompts;
};

TEST_F(QtFileDialogTest, SaveDialogOffersTheTwoTypesAndReportsTheChosenOne)
{
    QString title;
    QStringList filters;
    QString firstSelected;
    bool nonNative = false;
    bool saveMode = false;
    OnFileDialog([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        firstSelected = dialog->selectedNameFilter();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        saveMode = dialog->acceptMode() == QFileDialog::AcceptSave;
        dialog->setDirectory(RootQ());
        dialog->selectNameFilter(QStringLiteral("Animated Logo (*.bmp)"));
        TypeName(dialog, QStringLiteral("cycling"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(SaveLogoRequest());

    EXPECT_EQ(title, "Save Logo As...");
    EXPECT_EQ(filters, (QStringList{"Static Logo (*.bmp)", "Animated Logo (*.bmp)"}));
    EXPECT_EQ(firstSelected, "Static Logo (*.bmp)");
    EXPECT_TRUE(nonNative);
    EXPECT_TRUE(saveMode);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.filterIndex, 1);
    // The default extension is added to a name typed without one.
    EXPECT_EQ(answer.path, (Root() / "cycling.bmp").string());
}

TEST_F(QtFileDialogTest, ANameWithItsOwnExtensionKeepsIt)
{
    OnFileDialog([&](QFileDialog* dialog) {
        dialog->setDirectory(RootQ());
        TypeName(dialog, QStringLiteral("picture.sys"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(SaveLogoRequest());
    EXPECT_EQ(answer.path, (Root() / "picture.sys").string());
    EXPECT_EQ(answer.filterIndex, 0);
}

TEST_F(QtFileDialogTest, CancelReportsNoFile)
{
    OnFileDialog([](QFileDialog* dialog) { dialog->reject(); });
    const auto answer = m_prompts.FileDialog(SaveLogoRequest());
    EXPECT_FALSE(answer.ok);
    EXPECT_TRUE(answer.path.empty());
}

TEST_F(QtFileDialogTest, OpenDialogForTheEditorProgram)
{
    Touch(Root() / "paint.exe");
    FileDialogRequest request;
    request.title = "Select a Logo Editor";
    request.filter = "Executable Files (*.exe)|*.exe|ShortCut to executable file (*.lnk)|*.lnk||";
    request.defaultExtension = "*.exe";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QString suffix;
    OnFileDialog([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        mode = dialog->fileMode();
        suffix = dialog->defaultSuffix();
        dialog->setDirectory(RootQ());
        TypeName(dialog, QStringLiteral("paint"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(request);
    EXPECT_EQ(filters, (QStringList{"Executable Files (*.exe)", "ShortCut to executable file (*.lnk)"}));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_TRUE(suffix.isEmpty());  // applied by the dialog itself, only when needed
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.path, (Root() / "paint.exe").string());
}

TEST_F(QtFileDialogTest, OpenDialogKeepsAProgramNameWithoutExtension)
{
    Touch(Root() / "gimp");
    FileDialogRequest request;
    request.title = "Select a Logo Editor";
    request.filter = "Executable Files (*.exe)|*.exe|All Files (*)|*||";
    request.defaultExtension = "*.exe";
    request.filterIndex = 1;
    request.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    OnFileDialog([&](QFileDialog* dialog) {
        dialog->setDirectory(RootQ());
        TypeName(dialog, QStringLiteral("gimp"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(request);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.path, (Root() / "gimp").string());
}

TEST_F(QtFileDialogTest, InitialDirectoryNamingAFileOpensItsFolderWithTheFileSelected)
{
    std::filesystem::create_directories(Root() / "logos");
    Touch(Root() / "logos" / "LAST.BMP");
    platform::DriveTable drives;
    drives.Map('D', Root().string());
    platform::SetFileSystem(std::make_unique<platform::HostDriveFileSystem>(drives));

    FileDialogRequest request;
    request.title = "Select Logo...";
    request.filter = "Bitmap Files|*.bmp;*.sys||";
    request.initialDirectory = "D:\\LOGOS\\last.bmp";  // a Windows path, other case
    request.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    QString folder;
    QStringList selected;
    QStringList filters;
    OnFileDialog([&](QFileDialog* dialog) {
        folder = dialog->directory().absolutePath();
        selected = dialog->selectedFiles();
        filters = dialog->nameFilters();
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(request);
    EXPECT_EQ(folder.toStdString(), (Root() / "logos").string());
    EXPECT_EQ(filters, QStringList{"Bitmap Files (*.bmp *.sys)"});
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_EQ(selected.first().toStdString(), (Root() / "logos" / "LAST.BMP").string());
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.path, (Root() / "logos" / "LAST.BMP").string());
}

// Accepts `name` in the dialog, expects a refusal whose message contains
// `reason`, and checks the dialog is still open afterwards.
void ExpectRefusal(platform::QtPrompts& prompts, const FileDialogRequest& request, const QString& folder,
                   const QString& name, const QString& reason)
{
    QString message;
    QString messageCaption;
    bool stillOpen = false;
    OnFileDialog([&](QFileDialog* dialog) {
        dialog->setDirectory(folder);
        TypeName(dialog, name);
        WhenModalOpens(
            [&](QWidget* modal) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    message = box->text();
                    messageCaption = box->windowTitle();
                }
                modal->close();
            },
            dialog);
        static_cast<QDialog*>(dialog)->accept();
        stillOpen = dialog->isVisible();
        dialog->reject();
    });
    const auto answer = prompts.FileDialog(request);
    EXPECT_FALSE(answer.ok);
    EXPECT_TRUE(stillOpen) << "the dialog closed after the refusal";
    EXPECT_TRUE(message.contains(reason)) << message.toStdString();
    EXPECT_EQ(messageCaption, QString::fromStdString(request.title));
}

// Where a dialog opens that is given no initial folder: never the process's
// working folder (here made a folder of its own to tell them apart).
class InitialFolderTest : public QtFileDialogTest {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(Root() / "work");
        std::filesystem::create_directories(Root() / "home");
        std::filesystem::create_directories(Root() / "drive" / "Windows");
        m_previousWork = std::filesystem::current_path();
        std::filesystem::current_path(Root() / "work");
        m_previousHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        setenv("HOME", (Root() / "home").c_str(), 1);
        platform::DriveTable drives;
        drives.Map('C', (Root() / "drive").string());
        platform::SetFileSystem(std::make_unique<platform::HostDriveFileSystem>(drives));
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_previousWork);
        setenv("HOME", m_previousHome.c_str(), 1);
        QtFileDialogTest::TearDown();
    }

    // The folder the dialog shows when it opens on request.
    std::string OpenedFolder(FileDialogRequest request)
    {
        QString folder;
        OnFileDialog([&](QFileDialog* dialog) {
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        m_prompts.FileDialog(request);
        return folder.toStdString();
    }

    std::filesystem::path m_previousWork;
    std::string m_previousHome;
};

TEST_F(InitialFolderTest, WithNothingGivenTheDialogOpensInTheHomeFolder)
{
    EXPECT_EQ(OpenedFolder(SaveLogoRequest()), (Root() / "home").string());
}

TEST_F(InitialFolderTest, AFileNameWithAWindowsFolderOpensThatFolderOnTheDrive)
{
    FileDialogRequest request = SaveLogoRequest();
    request.initialFileName = "C:\\WINDOWS\\logow.sys";
    QString selected;
    OnFileDialog([&](QFileDialog* dialog) {
        selected = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    m_prompts.FileDialog(request);
    EXPECT_EQ(selected.toStdString(), (Root() / "drive" / "Windows" / "logow.sys").string());
}

TEST_F(InitialFolderTest, AnInitialFolderThatIsGoneFallsBackToTheHomeFolder)
{
    FileDialogRequest request = SaveLogoRequest();
    request.initialDirectory = "C:\\NOWHERE\\last.bmp";
    EXPECT_EQ(OpenedFolder(request), (Root() / "home").string());
}

TEST_F(QtFileDialogTest, ReadOnlyFileIsRefusedAndTheDialogStaysOpen)
{
    Touch(Root() / "locked.bmp");
    std::filesystem::permissions(Root() / "locked.bmp", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::group_read |
                                                            std::filesystem::perms::others_read);
    ExpectRefusal(m_prompts, SaveLogoRequest(), RootQ(), QStringLiteral("locked.bmp"), QStringLiteral("read-only"));
}

TEST_F(QtFileDialogTest, WriteProtectedFolderIsRefused)
{
    std::filesystem::create_directories(Root() / "shut");
    std::filesystem::permissions(Root() / "shut", std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_exec);
    ExpectRefusal(m_prompts, SaveLogoRequest(), QString::fromStdString((Root() / "shut").string()),
                  QStringLiteral("new.bmp"), QStringLiteral("write-protected"));
}

TEST_F(QtFileDialogTest, MissingFolderIsRefused)
{
    ExpectRefusal(m_prompts, SaveLogoRequest(), RootQ(), QStringLiteral("nowhere/new.bmp"),
                  QStringLiteral("folder does not exist"));
}

TEST_F(QtFileDialogTest, ReplacingAnExistingFileAsksFirst)
{
    Touch(Root() / "old.bmp");
    bool asked = false;
    OnFileDialog([&](QFileDialog* dialog) {
        dialog->setDirectory(RootQ());
        TypeName(dialog, QStringLiteral("old"));
        WhenModalOpens(
            [&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                asked = box != nullptr;
                if (box && box->button(QMessageBox::Yes))
                    box->button(QMessageBox::Yes)->click();
                else
                    modal->close();
            },
            dialog);
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(SaveLogoRequest());
    EXPECT_TRUE(asked);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.path, (Root() / "old.bmp").string());
}

TEST_F(QtFileDialogTest, WithoutOverwritePromptAnExistingFileIsTakenAtOnce)
{
    Touch(Root() / "old.bmp");
    auto request = SaveLogoRequest();
    request.flags &= ~OFN_OVERWRITEPROMPT;
    OnFileDialog([&](QFileDialog* dialog) {
        dialog->setDirectory(RootQ());
        TypeName(dialog, QStringLiteral("old.bmp"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const auto answer = m_prompts.FileDialog(request);
    EXPECT_TRUE(answer.ok);
    EXPECT_EQ(answer.path, (Root() / "old.bmp").string());
}

}  // namespace
