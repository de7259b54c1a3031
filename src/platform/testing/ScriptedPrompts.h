#pragma once
// Prompts for tests: answers come from queues the test fills (one queue per
// kind of prompt) or from a responder function, and every question is recorded
// with all its fields.
//
// Order of answering: the queue of that kind first, then the responder of that
// kind, then the unanswered default. Unanswered defaults:
//   message box  the answer Escape gives (IDOK on an OK box, IDNO on Yes/No,
//                IDCANCEL where there is a Cancel button)
//   file dialog  cancel (ok false, empty path, the request's filter index)
//   colour       cancel (ok false, the initial colour)
// An unanswered prompt is marked in its record and reported to the
// unanswered handler, which a test can set to fail loudly.
// File dialog answers are returned as given: the test plays the dialog and the
// user together, default extension included.

#include "platform/ui/FileFilter.h"
#include "platform/ui/MessageBoxStyle.h"
#include "platform/ui/Prompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class PromptKind { MessageBox, FileDialog, Color };

struct MessageBoxRecord {
    MessageBoxRequest request;
    MessageBoxStyle style;   // the type word decoded: buttons, icon, default button
    int answer = 0;
    bool scripted = false;   // false: the unanswered default was given
};

struct FileDialogRecord {
    FileDialogRequest request;
    std::vector<FileFilter> filters;   // request.filter parsed
    std::string defaultExtension;      // request.defaultExtension normalised
    FileDialogAnswer answer;
    bool scripted = false;
};

struct ColorRecord {
    ColorRequest request;
    ColorAnswer answer;
    bool scripted = false;
};

class ScriptedPrompts : public Prompts {
public:
    void QueueMessageBoxAnswer(int answer) { m_messageAnswers.push_back(answer); }
    void QueueFileDialogAnswer(const FileDialogAnswer& answer) { m_fileAnswers.push_back(answer); }
    void QueueFileDialogAnswer(const std::string& path, int filterIndex = 0);
    void QueueFileDialogCancel();
    void QueueColorAnswer(const ColorAnswer& answer) { m_colorAnswers.push_back(answer); }

    void SetMessageBoxResponder(std::function<int(const MessageBoxRequest&)> responder);
    void SetFileDialogResponder(std::function<FileDialogAnswer(const FileDialogRequest&)> responder);
    void SetColorResponder(std::function<ColorAnswer(const ColorRequest&)> responder);
    // Called with the kind and a short description of each unanswered prompt.
    void SetUnansweredHandler(std::function<void(PromptKind, const std::string&)> handler);

    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<FileDialogRecord>& FileDialogs() const { return m_fileDialogs; }
    const std::vector<ColorRecord>& Colors() const { return m_colors; }
    // Every prompt in the order asked.
    const std::vector<PromptKind>& Order() const { return m_order; }
    int UnansweredCount() const { return m_unanswered; }
    // Answers still waiting in the queues (a test can check all were used).
    std::size_t PendingAnswers() const;

    void ClearRecords();

protected:
    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    ColorAnswer ShowColorDialog(const ColorRequest& request) override;

private:
    void ReportUnanswered(PromptKind kind, const std::string& what);

    std::deque<int> m_messageAnswers;
    std::deque<FileDialogAnswer> m_fileAnswers;
    std::deque<ColorAnswer> m_colorAnswers;
    std::function<int(const MessageBoxRequest&)> m_messageResponder;
    std::function<FileDialogAnswer(const FileDialogRequest&)> m_fileResponder;
    std::function<ColorAnswer(const ColorRequest&)> m_colorResponder;
    std::function<void(PromptKind, const std::string&)> m_unansweredHandler;

    std::vector<MessageBoxRecord> m_messageBoxes;
    std::vector<FileDialogRecord> m_fileDialogs;
    std::vector<ColorRecord> m_colors;
    std::vector<PromptKind> m_order;
    int m_unanswered = 0;
};

}  // namespace platform
