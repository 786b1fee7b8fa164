#pragma once
// The main window: the borderless drive-information pop-up in the top-left corner. It owns the
// tray icon and its menu, works out the values every other window reads, and sends the menu's
// commands to the tool windows.
#include <memory>
#include <string>

#include "core/app/SharedValues.h"
#include "win/app/TrayTools.h"
#include "win/framework/AppContext.h"
#include "win/framework/Form.h"
#include "win/widgets/Menu.h"
#include "win/widgets/ScrewPanel.h"
#include "win/widgets/TrayIcon.h"

namespace sorvane {

class TForm1 : public Form {
  public:
    // `tools` is filled in as the later windows are made.
    TForm1(AppContext& context, TrayTools& tools);
    ~TForm1() override;

    const SharedValues& Values() { return Context().values; }
    bool DriveInfoShown() const { return driveInfoShown_; }

    HWND Drilabel() const { return drilabel_; }

    // The tray icon's events.
    void TrayiconClick(MouseButton button);
    void TrayiconMouseEnter();
    void TrayiconMouseExit();

    // Runs a command of the tray menu.
    void Command(int id);

  protected:
  private:
    void BuildMenu();
    void ShowTool(ToolWindow tool);

    void ShowDriveInfo();
    void HideDriveInfo();

    TrayTools& tools_;
    bool driveInfoShown_ = false;
    UniqueMenu mainpopup_;
    std::unique_ptr<ScrewPanel> screwPanel1_;
    HWND drilabel_ = nullptr;
    std::unique_ptr<TrayIcon> trayicon_;
};

}  // namespace sorvane
