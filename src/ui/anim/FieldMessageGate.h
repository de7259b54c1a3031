#pragma once
// Decides whether a bad number field may show the field message now. Reads
// happen in every paint, tick and live-pick mouse move; each dismissal of
// the message repaints, so showing it whenever a read fails would nest
// message boxes without end. Rules:
//  - at most one message at a time: a read while one shows stays silent;
//  - reads from paint, tick or mouse move show it only once for the same
//    text of the same field;
//  - commands (colour dialog, palette buttons, Save As, the count check at
//    the count field's focus loss) always show it, once per command however
//    many times the command reads the fields.

#include <map>
#include <string>

enum class FieldReadSource {
    Passive,  // paint, tick, mouse move
    Command,  // a button the user pressed, the count check
};

class FieldMessageGate {
public:
    // True when the message may show for this field and text; the caller
    // then brackets the message with Begin/EndMessage.
    bool MayShow(int fieldId, const std::string& text, FieldReadSource source) const;
    void BeginMessage(int fieldId, const std::string& text);
    void EndMessage() { m_showing = false; }
    bool Showing() const { return m_showing; }
    // The field reads well: a later bad text of it is news again.
    void FieldAccepted(int fieldId) { m_shownText.erase(fieldId); }
    // A user's command runs from Begin to End (they nest).
    void BeginCommand();
    void EndCommand();
    void Reset();

private:
    bool m_showing = false;
    int m_commandDepth = 0;
    bool m_shownInCommand = false;
    std::map<int, std::string> m_shownText;  // the bad text last reported per field
};
