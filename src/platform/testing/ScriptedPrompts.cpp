#include "platform/testing/ScriptedPrompts.h"

#include <utility>

namespace platform {

void ScriptedPrompts::QueueFileDialogAnswer(const std::string& path, int filterIndex)
{
    m_fileAnswers.push_back(FileDialogAnswer{true, path, filterIndex});
}

void ScriptedPrompts::QueueFileDialogCancel()
{
    m_fileAnswers.push_back(FileDialogAnswer{false, {}, 0});
}

void ScriptedPrompts::SetMessageBoxResponder(std::function<int(const MessageBoxRequest&)> responder)
{
    m_messageResponder = std::move(responder);
}

void ScriptedPrompts::SetFileDialogResponder(std::function<FileDialogAnswer(const FileDialogRequest&)> responder)
{
    m_fileResponder = std::move(responder);
}

void ScriptedPrompts::SetColorResponder(std::function<ColorAnswer(const ColorRequest&)> responder)
{
    m_colorResponder = std::move(responder);
}

void ScriptedPrompts::SetUnansweredHandler(std::function<void(PromptKind, const std::string&)> handler)
{
    m_unansweredHandler = std::move(handler);
}

std::size_t ScriptedPrompts::PendingAnswers() const
{
    return m_messageAnswers.size() + m_fileAnswers.size() + m_colorAnswers.size();
}

void ScriptedPrompts::ClearRecords()
{
    m_messageBoxes.clear();
    m_fileDialogs.clear();
    m_colors.clear();
    m_order.clear();
    m_unanswered = 0;
}

void ScriptedPrompts::ReportUnanswered(PromptKind kind, const std::string& what)
{
    ++m_unanswered;
    if (m_unansweredHandler)
        m_unansweredHandler(kind, what);
}

int ScriptedPrompts::ShowMessageBox(const MessageBoxRequest& request)
{
    MessageBoxRecord record{request, DecodeMessageBoxType(request.type), 0, true};
    if (!m_messageAnswers.empty()) {
        record.answer = m_messageAnswers.front();
        m_messageAnswers.pop_front();
    } else if (m_messageResponder) {
        record.answer = m_messageResponder(request);
    } else {
        record.answer = MessageBoxEscapeAnswer(record.style.buttons);
        record.scripted = false;
    }
    m_messageBoxes.push_back(record);
    m_order.push_back(PromptKind::MessageBox);
    if (!record.scripted)
        ReportUnanswered(PromptKind::MessageBox, "message box \"" + request.caption + "\": " + request.text);
    return record.answer;
}

FileDialogAnswer ScriptedPrompts::ShowFileDialog(const FileDialogRequest& request)
{
    FileDialogRecord record{request, ParseWindowsFilter(request.filter),
                            NormalizeDefaultExtension(request.defaultExtension), {}, true};
    if (!m_fileAnswers.empty()) {
        record.answer = m_fileAnswers.front();
        m_fileAnswers.pop_front();
    } else if (m_fileResponder) {
        record.answer = m_fileResponder(request);
    } else {
        record.answer = FileDialogAnswer{false, {}, request.filterIndex};
        record.scripted = false;
    }
    m_fileDialogs.push_back(record);
    m_order.push_back(PromptKind::FileDialog);
    if (!record.scripted)
        ReportUnanswered(PromptKind::FileDialog, "file dialog \"" + request.title + "\"");
    return record.answer;
}

ColorAnswer ScriptedPrompts::ShowColorDialog(const ColorRequest& request)
{
    ColorRecord record{request, {}, true};
    if (!m_colorAnswers.empty()) {
        record.answer = m_colorAnswers.front();
        m_colorAnswers.pop_front();
    } else if (m_colorResponder) {
        record.answer = m_colorResponder(request);
    } else {
        record.answer = ColorAnswer{false, request.initial};
        record.scripted = false;
    }
    // Cancel always gives back the colour the chooser started with.
    if (!record.answer.ok)
        record.answer.color = request.initial;
    m_colors.push_back(record);
    m_order.push_back(PromptKind::Color);
    if (!record.scripted)
        ReportUnanswered(PromptKind::Color, "colour chooser");
    return record.answer;
}

}  // namespace platform
