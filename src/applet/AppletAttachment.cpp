#include "applet/AppletAttachment.h"

#include "applet/AppletAttach.h"
#include "platform/ModuleEntry.h"

AppletAttachment::AppletAttachment(platform::CWinApp& app, const std::string& moduleFileName)
    : m_app(app), m_attached(AttachApplet(app, moduleFileName))
{
    platform::ReportModuleAttach(m_attached);
}

AppletAttachment::~AppletAttachment()
{
    if (m_attached)
        DetachApplet(m_app);
    m_attached = false;
}
