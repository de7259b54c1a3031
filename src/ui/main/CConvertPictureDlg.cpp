#include "ui/main/CConvertPictureDlg.h"

#include "convert/LinearResample.h"
#include "convert/LogoConverter.h"
#include "platform/ui/ResourceLoading.h"
#include "platform/ui/Cursors.h"
#include "platform/ui/Prompts.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"
#include "resources/Tooltips.h"
#include "slots/ConvertedPictures.h"
#include "ui/main/ConvertPreviews.h"

#include <charconv>

namespace {

// The live result is worked out on at most this many pixels, which keeps
// an update well inside 150 ms; OK converts the full picture.
constexpr std::size_t kLivePixels = 640 * 480;
constexpr int kFullDither = 100;

std::optional<int> WholeNumber(const std::string& text, int low, int high)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

COLORREF ToColorRef(convert::Rgb colour)
{
    return static_cast<COLORREF>(colour.red) | (static_cast<COLORREF>(colour.green) << 8)
        | (static_cast<COLORREF>(colour.blue) << 16);
}

convert::Rgb FromColorRef(COLORREF colour)
{
    return {static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
            static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

}  // namespace

CConvertPictureDlg::CConvertPictureDlg(logo::RgbaImage source, std::string sourcePath, platform::CWnd* parent)
    : platform::CDialog(res::ConvertDialogTemplate(), parent),
      m_source(std::move(source)),
      m_sourcePath(std::move(sourcePath))
{
}

CConvertPictureDlg::~CConvertPictureDlg() = default;

const platform::MessageMapBase* CConvertPictureDlg::GetMessageMap() const
{
    static constexpr auto map = platform::MakeMessageMap<CConvertPictureDlg>(
        platform::OnBnClicked(res::IDC_CONVERT_FIT, &CConvertPictureDlg::OnShape),
        platform::OnBnClicked(res::IDC_CONVERT_FILL, &CConvertPictureDlg::OnShape),
        platform::OnBnClicked(res::IDC_CONVERT_STRETCH, &CConvertPictureDlg::OnShape),
        platform::OnEnChange(res::IDC_CONVERT_DITHER, &CConvertPictureDlg::OnFieldChange),
        platform::OnEnChange(res::IDC_CONVERT_RESERVED, &CConvertPictureDlg::OnFieldChange),
        platform::OnBnClicked(res::IDC_CONVERT_FILL_COLOR, &CConvertPictureDlg::OnFillColor),
        platform::OnToolTipNeedText(&CConvertPictureDlg::OnToolTipNeedText));
    return &map;
}

BOOL CConvertPictureDlg::OnInitDialog()
{
    platform::CDialog::OnInitDialog();
    m_ready = false;
    m_logoPath.clear();
    m_options = convert::ConvertOptions{};
    platform::BeginWaitCursor();
    m_reduced = convert::ReduceToPixelCount(m_source, kLivePixels);
    platform::EndWaitCursor();
    CheckDlgButton(res::IDC_CONVERT_FIT, BST_CHECKED);
    SetDlgItemText(res::IDC_CONVERT_DITHER, std::to_string(kFullDither));
    SetDlgItemText(res::IDC_CONVERT_RESERVED, std::to_string(convert::kDefaultReserved));
    EnableToolTips(TRUE);
    m_ready = true;
    ShowSourceView();
    UpdateResult();
    return TRUE;
}

std::optional<convert::ConvertOptions> CConvertPictureDlg::ReadControls(bool report)
{
    convert::ConvertOptions options = m_options;
    if (IsDlgButtonChecked(res::IDC_CONVERT_FILL) == BST_CHECKED)
        options.geometry = convert::Geometry::Fill;
    else if (IsDlgButtonChecked(res::IDC_CONVERT_STRETCH) == BST_CHECKED)
        options.geometry = convert::Geometry::Stretch;
    else
        options.geometry = convert::Geometry::Fit;

    const auto refuse = [this, report](UINT textId) {
        if (report) {
            platform::MessageBoxA(GetSafeHwnd(), platform::LoadStringA(textId),
                                  platform::LoadStringA(res::IDS_CONVERT_CAPTION), MB_OK | MB_ICONEXCLAMATION);
        }
        return std::nullopt;
    };
    const std::optional<int> dither = WholeNumber(GetDlgItemText(res::IDC_CONVERT_DITHER), 0, kFullDither);
    if (!dither)
        return refuse(res::IDS_CONVERT_DITHER_RANGE);
    const std::optional<int> reserved =
        WholeNumber(GetDlgItemText(res::IDC_CONVERT_RESERVED), 0, convert::kMaxReserved);
    if (!reserved)
        return refuse(res::IDS_CONVERT_RESERVED_RANGE);
    options.dither = static_cast<float>(*dither) / kFullDither;
    options.reserved = *reserved;
    return options;
}

void CConvertPictureDlg::UpdateResult()
{
    // A field being typed may be out of range for a moment: the last good
    // result stays until it is back in range.
    const std::optional<convert::ConvertOptions> options = ReadControls(false);
    if (!options)
        return;
    m_options = *options;
    platform::BeginWaitCursor();
    const convert::ConvertResult result = convert::ConvertToLogo(m_reduced, m_options);
    std::unique_ptr<logo::Picture> view = result ? ScreenView(*result.picture) : nullptr;
    platform::EndWaitCursor();
    if (!view)
        return;
    m_resultView = std::move(view);
    if (auto* control = GetDlgItemAs<platform::CStatic>(res::IDC_CONVERT_RESULT))
        control->SetBitmap(m_resultView.get());
}

void CConvertPictureDlg::ShowSourceView()
{
    std::unique_ptr<logo::Picture> view = SourceView(m_reduced, m_options.fillColor);
    std::swap(view, m_sourceView);
    if (auto* control = GetDlgItemAs<platform::CStatic>(res::IDC_CONVERT_SOURCE))
        control->SetBitmap(m_sourceView.get());
}

void CConvertPictureDlg::OnShape()
{
    if (m_ready)
        UpdateResult();
}

void CConvertPictureDlg::OnFieldChange()
{
    if (m_ready)
        UpdateResult();
}

void CConvertPictureDlg::OnFillColor()
{
    const platform::ColorAnswer answer =
        platform::CurrentPrompts().ChooseColor(GetSafeHwnd(), ToColorRef(m_options.fillColor), CC_RGBINIT | CC_FULLOPEN);
    if (!answer.ok)
        return;
    m_options.fillColor = FromColorRef(answer.color);
    // The see-through parts of the picture show the fill colour too.
    ShowSourceView();
    UpdateResult();
}

void CConvertPictureDlg::OnOK()
{
    const std::optional<convert::ConvertOptions> options = ReadControls(true);
    if (!options)
        return;
    m_options = *options;
    platform::BeginWaitCursor();
    const convert::ConvertResult result = convert::ConvertToLogo(m_source, m_options);
    std::optional<std::string> written;
    if (result)
        written = StoreConvertedLogo(m_sourcePath, *result.picture, result.animated, result.animCount);
    platform::EndWaitCursor();
    if (!written) {
        platform::MessageBoxA(GetSafeHwnd(), platform::LoadStringA(res::IDS_CONVERT_NOT_SAVED),
                              platform::LoadStringA(res::IDS_CAPTION_ERROR), MB_OK | MB_ICONHAND);
        return;
    }
    m_logoPath = *written;
    platform::CDialog::OnOK();
}

UINT CConvertPictureDlg::OnToolTipNeedText(int controlId)
{
    return res::TooltipStringFor(res::ConvertDialogTooltips(), controlId).value_or(0);
}
