#pragma once
// Convert Picture: a picture of any format becomes a logo. The chosen
// picture and the logo as the screen will show it stand side by side; the
// logo follows every change of shape, dithering, reserved entries and fill
// colour at once, worked out on a reduced copy of a large picture. OK
// converts the full picture and keeps the logo among the user's converted
// pictures; Cancel changes nothing.

#include "convert/ConvertOptions.h"
#include "logo/Picture.h"
#include "logo/RgbaImage.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CStatic.h"

#include <memory>
#include <optional>
#include <string>

class CConvertPictureDlg : public platform::CDialog {
public:
    // source: the decoded picture; sourcePath: its file, which names the logo.
    CConvertPictureDlg(logo::RgbaImage source, std::string sourcePath, platform::CWnd* parent = nullptr);
    ~CConvertPictureDlg() override;

    // After OK: the host path of the logo written.
    const std::string& LogoPath() const { return m_logoPath; }
    // What the dialog shows now; for tests.
    const convert::ConvertOptions& Options() const { return m_options; }
    const logo::Picture* ResultView() const { return m_resultView.get(); }
    const logo::Picture* SourceViewPicture() const { return m_sourceView.get(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    const platform::MessageMapBase* GetMessageMap() const override;

private:
    void OnShape();
    void OnFieldChange();
    void OnFillColor();
    UINT OnToolTipNeedText(int controlId);

    // The options the controls give; nothing when a field is out of range
    // (report: say which, with a message box).
    std::optional<convert::ConvertOptions> ReadControls(bool report);
    // Converts the reduced copy again and shows it.
    void UpdateResult();
    void ShowSourceView();

    logo::RgbaImage m_source;
    logo::RgbaImage m_reduced;       // what the live result is worked out on
    std::string m_sourcePath;
    convert::ConvertOptions m_options;
    bool m_ready = false;            // fields filled in: changes from now on are the user's
    std::unique_ptr<logo::Picture> m_sourceView;
    std::unique_ptr<logo::Picture> m_resultView;
    platform::CStatic m_sourceControl;
    platform::CStatic m_resultControl;
    std::string m_logoPath;
};
