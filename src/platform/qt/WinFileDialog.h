#pragma once
// A Qt file dialog set up from a FileDialogRequest: title, filters from the
// Windows filter text, default extension, initial folder or file, and the
// OFN_* checks Qt's dialog does not make on its own (the folder must exist,
// no read-only file and no write-protected folder).

#include "platform/ui/PromptTypes.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

class WinFileDialog : public QFileDialog {
public:
    explicit WinFileDialog(const FileDialogRequest& request);

    FileDialogAnswer Run();

    // The Qt filter strings offered, in the order of the Windows filter text.
    const QStringList& QtFilters() const { return m_qtFilters; }

    void accept() override;

private:
    void SelectInitialLocation();
    void PutName(const QString& path);
    bool Refuse(const QString& path, const QString& reason);

    FileDialogRequest m_request;
    QStringList m_qtFilters;
    // Open mode: tried only when the name as chosen does not exist.
    QString m_openSuffix;
};

}  // namespace platform
