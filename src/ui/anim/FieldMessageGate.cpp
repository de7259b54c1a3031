#include "ui/anim/FieldMessageGate.h"

bool FieldMessageGate::MayShow(int fieldId, const std::string& text, FieldReadSource source) const
{
    if (m_showing)
        return false;
    if (source == FieldReadSource::Command)
        return !m_shownInCommand;
    const auto it = m_shownText.find(fieldId);
    return it == m_shownText.end() || it->second != text;
}

void FieldMessageGate::BeginMessage(int fieldId, const std::string& text)
{
    m_showing = true;
    m_shownText[fieldId] = text;
    if (m_commandDepth > 0)
        m_shownInCommand = true;
}

void FieldMessageGate::BeginCommand()
{
    if (m_commandDepth++ == 0)
        m_shownInCommand = false;
}

void FieldMessageGate::EndCommand()
{
    if (m_commandDepth > 0 && --m_commandDepth == 0)
        m_shownInCommand = false;
}

void FieldMessageGate::Reset()
{
    m_showing = false;
    m_commandDepth = 0;
    m_shownInCommand = false;
    m_shownText.clear();
}
