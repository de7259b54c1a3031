#include "platform/qt/WinFileDialog.h"

#include "platform/files/FileApi.h"
#include "platform/files/UserDirectories.h"
#include "platform/ui/FileFilter.h"
#include "platform/qt/HwndWidget.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>

namespace platform {
namespace {

constexpr QFile::Permissions kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

// Read-only the way the file system layer sees it: no write permission bit
// at all (the read-only attribute), or no write access for this user.
bool IsReadOnly(const QFileInfo& info)
{
    return (info.permissions() & kAnyWrite) == 0 || !info.isWritable();
}

}  // namespace

WinFileDialog::WinFileDialog(const FileDialogRequest& request)
    : QFileDialog(WidgetFromHwnd(request.owner)), m_request(request)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setWindowTitle(QString::fromStdString(request.title));
    const bool save = request.mode == FileDialogMode::Save;
    setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(!save && (request.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // OFN_HIDEREADONLY needs nothing: this dialog has no read-only check box.
    setOption(QFileDialog::DontConfirmOverwrite, !(save && (request.flags & OFN_OVERWRITEPROMPT)));

    for (const FileFilter& filter : ParseWindowsFilter(request.filter))
        m_qtFilters.push_back(QString::fromStdString(QtNameFilter(filter)));
    if (!m_qtFilters.isEmpty()) {
        setNameFilters(m_qtFilters);
        const int index = std::clamp(request.filterIndex, 0, static_cast<int>(m_qtFilters.size()) - 1);
        selectNameFilter(m_qtFilters[index]);
    }

    // Qt would append the default extension to every name without a dot,
    // which makes programs such as /usr/bin/gimp impossible to open; in open
    // mode it is tried only for a name that does not exist as chosen.
    const std::string extension = NormalizeDefaultExtension(request.defaultExtension);
    if (!extension.empty()) {
        if (save)
            setDefaultSuffix(QString::fromStdString(extension));
        else
            m_openSuffix = QString::fromStdString(extension);
    }

    SelectInitialLocation();
}

void WinFileDialog::SelectInitialLocation()
{
    QString folder;
    QString file;
    if (!m_request.initialDirectory.empty()) {
        if (const auto host = ResolveHostPath(m_request.initialDirectory)) {
            const QFileInfo info(QString::fromStdString(*host));
            if (info.isDir()) {
                folder = info.absoluteFilePath();
            } else if (QFileInfo(info.absolutePath()).isDir()) {
                // A file path: open its folder with the file selected.
                folder = info.absolutePath();
                if (info.exists())
                    file = info.fileName();
            }
        }
    }
    if (!m_request.initialFileName.empty()) {
        const std::string& name = m_request.initialFileName;
        const std::size_t separator = name.find_last_of("\\/");
        file = QString::fromStdString(separator == std::string::npos ? name : name.substr(separator + 1));
        // A name with a folder opens that folder, found on the managed drives.
        if (folder.isEmpty() && separator != std::string::npos) {
            if (const auto host = ResolveHostPath(name.substr(0, separator + 1))) {
                const QFileInfo info(QString::fromStdString(*host));
                if (info.isDir())
                    folder = info.absoluteFilePath();
            }
        }
    }
    // Never the process's working folder, which means nothing to the user.
    if (folder.isEmpty())
        folder = QString::fromStdString(HomeFolder());
    setDirectory(folder);
    if (!file.isEmpty())
        selectFile(file);
}

void WinFileDialog::PutName(const QString& path)
{
    // selectFile() leaves the name field alone while it has the keyboard
    // focus, as it has when the user typed the name and pressed Enter, and
    // the name as typed would then be refused: the field takes the name.
    if (auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); field != nullptr)
        field->setText(path);
    else
        selectFile(path);
}

bool WinFileDialog::Refuse(const QString& path, const QString& reason)
{
    QMessageBox::warning(this, windowTitle(), QDir::toNativeSeparators(path) + QLatin1Char('\n') + reason);
    return false;
}

void WinFileDialog::accept()
{
    if (!m_openSuffix.isEmpty()) {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty()) {
            const QFileInfo info(chosen.first());
            const QString withSuffix = info.absoluteFilePath() + QLatin1Char('.') + m_openSuffix;
            if (!info.exists() && !info.fileName().contains(QLatin1Char('.')) && QFileInfo::exists(withSuffix))
                PutName(withSuffix);
        }
    }
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
        const QFileInfo info(files.first());
        // A folder typed into the name field is entered by Qt's own accept.
        if (!info.isDir()) {
            const QFileInfo folder(info.absolutePath());
            if ((m_request.flags & OFN_PATHMUSTEXIST) && !folder.isDir()) {
                Refuse(info.absoluteFilePath(), tr("The folder does not exist.\nCheck the path and try again."));
                return;
            }
            if (m_request.flags & OFN_NOREADONLYRETURN) {
                if (info.exists() && IsReadOnly(info)) {
                    Refuse(info.absoluteFilePath(), tr("This file is read-only.\nChoose another file name."));
                    return;
                }
                // Files are replaced through a new file beside them, so the
                // folder itself must take new files.
                if (folder.isDir() && IsReadOnly(folder)) {
                    Refuse(info.absoluteFilePath(), tr("The folder is write-protected.\nChoose another folder."));
                    return;
                }
            }
        }
    }
    QFileDialog::accept();
}

FileDialogAnswer WinFileDialog::Run()
{
    if (exec() != QDialog::Accepted)
        return FileDialogAnswer{false, {}, m_request.filterIndex};
    const QStringList files = selectedFiles();
    if (files.isEmpty())
        return FileDialogAnswer{false, {}, m_request.filterIndex};
    const int index = m_qtFilters.isEmpty() ? 0 : std::max<int>(0, static_cast<int>(m_qtFilters.indexOf(selectedNameFilter())));
    return FileDialogAnswer{true, QFileInfo(files.first()).absoluteFilePath().toStdString(), index};
}

}  // namespace platform
