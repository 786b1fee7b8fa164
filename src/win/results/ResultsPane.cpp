#include "win/results/ResultsPane.h"

#include "win/utils/BusyCursor.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;

UniqueMenu MakeMenu(std::initializer_list<std::pair<int, const char*>> items) {
    UniqueMenu menu = MakePopupMenu();
    bool separator = false;
    for (const auto& [id, caption] : items) {
        if (id < 0) {
            separator = true;
        } else if (id > 0) {
            // A separator only between items that are there.
            if (separator && GetMenuItemCount(menu.get()) > 0) AppendSeparator(menu.get());
            separator = false;
            AppendItem(menu.get(), id, caption);
        }
    }
    return menu;
}

std::string ColumnKey(std::size_t column) {
    return "Col" + std::to_string(column);
}

}  // namespace

ResultsPane::ResultsPane(ToolForm& form, Tooltip& tips, HWND buttonParent, POINT buttonsAt,
                         HWND gridParent, ResultTable& table, ResultsPaneSetup setup)
    : form_(form),
      table_(table),
      setup_(std::move(setup)),
      tips_(tips),
      buttonsTop_(buttonsAt.y),
      buttonsEnd_(buttonsAt.x),
      actions_(form.Services(), table, form.Runner(), form.Context().history, setup_.tool) {
    const auto& c = setup_.commands;
    checkboxes_ = MakeFlatButton(
        buttonParent, setup_.checkboxes, "Checkboxes",
        MakeMenu({{c.selectAll, "Select All"}, {c.unselectAll, "Unselect All"}}), 90);
    remove_ = MakeFlatButton(buttonParent, setup_.remove, "Delete",
                             MakeMenu({{c.deleteSelected, "Selected File"},
                                       {c.deleteChecked, "All Checked Files"},
                                       {c.deleteAll, "All Files"}}),
                             75);
    move_ = MakeFlatButton(buttonParent, setup_.move, "Move",
                           MakeMenu({{c.moveSelected, "Selected File"},
                                     {c.moveChecked, "All Checked Files"},
                                     {-1, ""},
                                     {c.setDestination, "Set/Edit Destination Directory"}}),
                           75);
    save_ = MakeFlatButton(
        buttonParent, setup_.save, "Save",
        MakeMenu({{c.saveHtml, "As HTML File"}, {c.saveText, "As Formatted Text File"}}), 75);

    grid_ = std::make_unique<ResultGrid>(gridParent, Bounds(0, 0, 100, 100), setup_.gridId, table);
    const auto& d = setup_.destination;
    destination_ = std::make_unique<DestinationPanel>(gridParent, d.title, d.position, d.ids, tips);
    moves_ = std::make_unique<MoveCommands>(actions_, form.Services(), *destination_);
    saver_ = std::make_unique<TableSaver>(form.Handle(), form.Services(), form.Runner());
    AddCommands();
}

ResultsPane::~ResultsPane() = default;

std::unique_ptr<FlatButton> ResultsPane::MakeFlatButton(HWND parent,
                                                        const ResultsPaneSetup::Button& button,
                                                        const std::string& caption, UniqueMenu menu,
                                                        int width) {
    if (button.id == 0) return nullptr;
    auto flat = std::make_unique<FlatButton>(parent, caption,
                                             Bounds(buttonsEnd_, buttonsTop_, width, kButtonHeight),
                                             button.id, std::move(menu));
    tips_.Add(flat->Handle(), button.hint);
    buttonsEnd_ += width + kButtonGap;
    return flat;
}

void ResultsPane::AddCommands() {
    const auto& c = setup_.commands;
    const auto add = [this](int id, std::function<void()> handler) {
        if (id != 0) form_.On().Command(id, std::move(handler));
    };
    const auto recycle = [this] { return form_.Context().options.recycle; };
    add(c.selectAll, [this] {
        const BusyCursor busy;
        grid_->SelectAll();
    });
    add(c.unselectAll, [this] {
        const BusyCursor busy;
        grid_->UnselectAll();
    });
    add(c.deleteSelected, [=, this] { Act([&] { actions_.DeleteSelected(recycle()); }); });
    add(c.deleteChecked, [=, this] { Act([&] { actions_.DeleteChecked(recycle()); }); });
    add(c.deleteAll, [=, this] { Act([&] { actions_.DeleteAll(recycle()); }); });
    add(c.moveSelected, [this] { Act([this] { moves_->Move(PendingMove::kSelected); }); });
    add(c.moveChecked, [this] { Act([this] { moves_->Move(PendingMove::kChecked); }); });
    add(c.setDestination, [this] { moves_->EditDestination(); });
    add(c.saveHtml, [this] { saver_->SaveHtml(table_); });
    add(c.saveText, [this] { saver_->SaveText(table_); });
    const DestinationPanel::Ids& ids = setup_.destination.ids;
    add(ids.select, [this] { ChooseDestination(); });
    add(ids.accept, [this] { Act([this] { moves_->Accept(); }); });
    add(ids.cancel, [this] { moves_->Cancel(); });
}

void ResultsPane::Act(const std::function<void()>& action) {
    action();
    grid_->Refresh();
}

void ResultsPane::ChooseDestination() {
    IDirectoryPicker* picker = form_.Context().picker;
    if (picker == nullptr) return;
    const std::optional<PickedDirectory> picked = picker->Execute(form_.Handle());
    if (picked && picked->path != "?") moves_->DirectoryChosen(picked->path);
}

HWND ResultsPane::Control(int id) const {
    if (id == 0) return nullptr;
    if (id == setup_.gridId) return grid_->Handle();
    for (const auto* button : {&checkboxes_, &remove_, &move_, &save_}) {
        if (*button && GetDlgCtrlID((*button)->Handle()) == id) return (*button)->Handle();
    }
    const DestinationPanel::Ids& ids = setup_.destination.ids;
    if (id == ids.panel) return destination_->Panel().Handle();
    return destination_->Control(id);
}

HMENU ResultsPane::MenuOf(int buttonId) const {
    for (const auto* button : {&checkboxes_, &remove_, &move_, &save_}) {
        if (*button && GetDlgCtrlID((*button)->Handle()) == buttonId) return (*button)->Menu();
    }
    return nullptr;
}

void ResultsPane::AddTo(AnchorLayout& layout, RECT grid, Follow follow) const {
    layout.Add(grid_->Handle(), grid, follow);
    layout.Add([this](const RECT&) { grid_->FitPathColumn(); }, grid, follow);
    // The destination panel, over the grid, stays whole inside the parent as it shrinks.
    layout.Add([this](const RECT&) { destination_->Panel().StayInside(); }, grid, follow);
}

void ResultsPane::AddStoredEntries(StoredOptions& s) {
    const auto& d = setup_.destination;
    MovablePanel& panel = destination_->Panel();
    s.AddInteger(
        d.panelName + ".Left", [&panel] { return static_cast<std::int32_t>(panel.Position().x); },
        [&panel](const std::int32_t& v) { panel.MoveTo(v, panel.Position().y); });
    s.AddInteger(
        d.panelName + ".Top", [&panel] { return static_cast<std::int32_t>(panel.Position().y); },
        [&panel](const std::int32_t& v) { panel.MoveTo(panel.Position().x, v); });
    DestinationPanel& dest = *destination_;
    s.AddBool(
        d.alwaysName + ".Checked", [&dest] { return dest.Always(); },
        [&dest](const bool& v) { dest.SetAlways(v); });
    s.AddText(
        d.editName + ".Text", [&dest] { return dest.Destination(); },
        [&dest](const std::string& v) { dest.SetDestination(v); });
}

void ResultsPane::RestoreWidths(const StoredOptions& storage) {
    for (std::size_t c = 0; c < table_.ColumnCount(); ++c) {
        table_.SetColumnWidth(c, storage.ReadInteger(ColumnKey(c), table_.ColumnAt(c).width));
    }
    grid_->ShowWidths();
}

void ResultsPane::SaveWidths(StoredOptions& storage) const {
    for (std::size_t c = 0; c < table_.ColumnCount(); ++c) {
        storage.WriteInteger(ColumnKey(c), table_.ColumnAt(c).width);
    }
}

void ResultsPane::Clear() {
    table_.Clear();
    grid_->Refresh();
    destination_->Hide();
}

}  // namespace sorvane
