#pragma once
// The About box: name, version, author and status, with links to mail the author and to visit
// the home page.
#include <memory>

#include "win/framework/AppContext.h"
#include "win/framework/Form.h"
#include "win/widgets/ArrowLabel.h"
#include "win/widgets/ScrewPanel.h"

namespace sorvane {

inline constexpr char kAuthorName[] = "Sorvane Team";
inline constexpr char kAuthorStatus[] = "Status: Freeware";
inline constexpr char kAuthorEmail[] = "sorvane@example.org";
inline constexpr char kHomePage[] = "https://sorvane.example.org/";

class TForm4 : public Form {
  public:
    enum ControlId { kEmailpanel = 1001, kUrlpanel = 1002, kButton1 = 1003 };

    explicit TForm4(AppContext& context);

    HWND Control(ControlId id) const { return GetDlgItem(panel_->Handle(), id); }
    std::string TooltipOf(ControlId id) { return Tips().TextOf(Control(id)); }

  protected:
    void OnShowing() override;

  private:
    void EmailpanelClick();
    void UrlpanelClick();

    std::unique_ptr<ScrewPanel> panel_;
    std::unique_ptr<ArrowLabel> emailpanel_;
    std::unique_ptr<ArrowLabel> urlpanel_;
};

}  // namespace sorvane
