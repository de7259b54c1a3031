// The attach and detach sequence around the application object.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "platform/modres/ModuleResources.h"
#include "resources/ModuleResourceBlob.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An application whose start-up fails, counting its exits.
class RefusingApp : public CAppletApp {
public:
    BOOL InitInstance() override
    {
        CAppletApp::InitInstance();
        return FALSE;
    }
    int ExitInstance() override
    {
        ++exits;
        return CAppletApp::ExitInstance();
    }
    int exits = 0;
};

class CountingApp : public CAppletApp {
public:
    int ExitInstance() override
    {
        ++exits;
        return CAppletApp::ExitInstance();
    }
    int exits = 0;
};

class AppletAttachTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetModuleResources(res::ModuleResourceBlob()); }
};

TEST_F(AppletAttachTest, NamesTheApplicationAfterTheModuleFileAndSetsTheProductKey)
{
    CountingApp app;
    ASSERT_EQ(app.m_pszAppName, nullptr);
    ASSERT_TRUE(AttachApplet(app, "/opt/some dir/lumva.cpl"));
    ASSERT_NE(app.m_pszAppName, nullptr);
    EXPECT_STREQ(app.m_pszAppName, "lumva");
    ASSERT_NE(app.m_pszRegistryKey, nullptr);
    EXPECT_STREQ(app.m_pszRegistryKey, "Lumivane");
    EXPECT_EQ(app.exits, 0);
    DetachApplet(app);
    EXPECT_EQ(app.exits, 1);
}

TEST_F(AppletAttachTest, FailingInitInstanceRunsExitInstanceAndRefusesTheLoad)
{
    RefusingApp app;
    EXPECT_FALSE(AttachApplet(app, "/x/lumva.cpl"));
    EXPECT_EQ(app.exits, 1);
}

TEST_F(AppletAttachTest, ApplicationObjectIsCreatedWithoutAName)
{
    CAppletApp app;
    EXPECT_EQ(app.m_pszAppName, nullptr);
    EXPECT_EQ(platform::AfxGetApp(), &app);
}

}  // namespace
