#pragma once
// A modeless dialog of the framework from a template built in the test,
// shown at the screen's corner. It records the commands of two ids by where
// they came from (menu or button: code 0, accelerator: code 1) and runs the
// test's data exchange.

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"

#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace lumivane::test {

class TestDialog : public platform::CDialog {
public:
    static constexpr int kFirstCommand = 40001;
    static constexpr int kSecondCommand = 40002;

    // controls must outlive the dialog.
    explicit TestDialog(std::span<const platform::ControlTemplate> controls, int width = 160, int height = 100);

    // Creates the window (and shows it); false when it could not be made.
    bool Open();

    // (id, code) of each command received, oldest first.
    const std::vector<std::pair<int, UINT>>& Commands() const { return m_commands; }
    void ClearCommands() { m_commands.clear(); }

    std::function<void(platform::CDataExchange*)> exchange;

protected:
    void DoDataExchange(platform::CDataExchange* dx) override;
    const platform::MessageMapBase* GetMessageMap() const override;

private:
    void OnFirstFromMenu() { m_commands.emplace_back(kFirstCommand, 0); }
    void OnFirstFromKey() { m_commands.emplace_back(kFirstCommand, 1); }
    void OnSecondFromMenu() { m_commands.emplace_back(kSecondCommand, 0); }
    void OnSecondFromKey() { m_commands.emplace_back(kSecondCommand, 1); }

    std::vector<std::pair<int, UINT>> m_commands;
};

}  // namespace lumivane::test
