#include "win/driveclean/ScanOptionsPage.h"

#include "win/platform/Utf.h"
#include "win/results/ListPane.h"
#include "win/utils/Controls.h"
#include "win/widgets/StandardControls.h"

namespace sorvane {

using namespace cleandri;

namespace {

constexpr int kRow = 20;
constexpr int kLeftWidth = 240;
constexpr int kRight = 258;
constexpr int kRightWidth = 355;
// The page's design size: the criteria keep to its right edge, the tree takes the upper half
// of what the page gains in height and the locations the lower half, both all of its width.
constexpr SIZE kDesignPage = {620, 360};
constexpr Follow kUpperHalf{0, 0, 1, 0.5f};
constexpr Follow kLowerHalf{0, 0.5f, 1, 1};
constexpr Follow kMiddle{0, 0.5f, 0, 0.5f};

constexpr int kSpinMaxKBytes = 1000000;
constexpr int kDateLength = 10;
constexpr char kDateHint[] = "US - MM/DD/YYYY\r\nUK - DD/MM/YYYY";

// Where a group's own controls start: inside its frame, below its title.
POINT InsideOrigin(const CheckGroupBox& group) {
    const RECT inside = group.Inside();
    return {inside.left, inside.top};
}

}  // namespace

ScanOptionsPage::ScanOptionsPage(Form& form, HWND page, Tooltip& tips,
                                 std::function<void(const std::string&)> beginDrag)
    : platform_(form.Services()), layout_(kDesignPage) {
    CreateLocationControls(page);
    cleantree_->SetOnBeginDrag(std::move(beginDrag));
    CreateMaskGroup(page);
    CreateSizeGroup(page);
    CreateDateGroup(page);
    CreateAttributeGroup(page);

    form.On().Command(kAdddrivebtn, [this] { AddLocation(); });
    form.On().Command(kRemovedrivebtn, [this] { RemoveLocation(); });
    form.On().Command(kAddfilemaskbtn, [this] { AddMask(); });
    form.On().Command(kRemovefilemaskbtn, [this] { RemoveMask(); });
    form.On().Command(kEmptydirbox, [this] { EmptydirboxClick(); });
    form.On().Command(kCollactivebox, [this] { ChooseCombination(kCollactivebox); });
    form.On().Command(kSeparetebox, [this] { ChooseCombination(kSeparetebox); });

    tips.Add(Control(kAccessdateedit), kDateHint);
    tips.Add(Control(kModifieddateedit), kDateHint);
    tips.Add(Control(kCollactivebox),
             "If a file attribute And extension AND size AND date\r\nmatches the options "
             "selected then the file will be displayed.");
    tips.Add(Control(kSeparetebox),
             "If a file attribute OR extension OR size OR date\r\nmatches the options selected "
             "then the file will be displayed.");
}

HWND ScanOptionsPage::AddCheckBox(HWND parent, ControlId id, const std::string& text, RECT bounds,
                                  bool checked) {
    const HWND box = MakeCheckBox(parent, text, bounds, id, checked);
    Remember(id, box);
    return box;
}

void ScanOptionsPage::CreateLocationControls(HWND page) {
    MakeLabel(page, "System drives and directories:", 8, 4);
    cleantree_ = std::make_unique<DirectoryTree>(
        page, platform_, Bounds(8, 20, kLeftWidth, 120), kCleantree,
        DirectoryTree::Options{.includeUnknownDrives = true, .dragSource = true});
    layout_.Add(cleantree_->Handle(), kUpperHalf);
    Remember(kCleantree, cleantree_->Tree());
    Remember(kAdddrivebtn, MakeButton(page, "Add", Bounds(8, 144, 80, 24), kAdddrivebtn));
    Remember(kRemovedrivebtn, MakeButton(page, "Remove", Bounds(96, 144, 80, 24), kRemovedrivebtn));
    const HWND title = MakeLabel(page, "Selected drive(s) and directories to be scanned:", 8, 174);
    for (const HWND middle : {Control(kAdddrivebtn), Control(kRemovedrivebtn), title}) {
        layout_.Add(middle, kMiddle);
    }
    const HWND locations =
        MakeControl(page, L"LISTBOX", "",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_NOTIFY |
                        LBS_NOINTEGRALHEIGHT,
                    Bounds(8, 190, kLeftWidth, 74), kSelecteddrives, WS_EX_CLIENTEDGE);
    SendMessageW(locations, LB_SETHORIZONTALEXTENT, 1000, 0);
    Remember(kSelecteddrives, locations);
    layout_.Add(locations, kLowerHalf);
    keys_.push_back(ListKeys(locations, [this] { RemoveLocation(); }));
    AddCheckBox(page, kSubcheckbox, "Scan Sub_Directories", Bounds(8, 268, kLeftWidth, kRow), true);
    AddCheckBox(page, kEmptydirbox, "Check For Empty Sub_Directories",
                Bounds(8, 288, kLeftWidth, kRow), false);
    AddCheckBox(page, kCollactivebox, "Use Scanning Options Collectively (AND)",
                Bounds(8, 312, kLeftWidth, kRow), true);
    AddCheckBox(page, kSeparetebox, "Use Scanning Options Separetly (OR)",
                Bounds(8, 332, kLeftWidth, kRow), false);
    for (const ControlId below : {kSubcheckbox, kEmptydirbox, kCollactivebox, kSeparetebox}) {
        layout_.Add(Control(below), follow::kBottom);
    }
}

void ScanOptionsPage::CreateMaskGroup(HWND page) {
    maskgroup_ = std::make_unique<CheckGroupBox>(
        page, "Scan For Files Based On File Masks:", Bounds(kRight, 2, kRightWidth, 130),
        kMaskgroup, CheckGroupBox::Options{.checked = true});
    Remember(kMaskgroup, maskgroup_->TitleBox());
    layout_.Add(maskgroup_->Handle(), follow::kRight);
    const HWND g = maskgroup_->Handle();
    const POINT in = InsideOrigin(*maskgroup_);
    masklistbox_ = std::make_unique<CheckList>(g, BoundsFrom(in, 0, 2, 150, 98), kMasklistbox,
                                               CheckList::Options{.sorted = true});
    Remember(kMasklistbox, masklistbox_->Handle());
    const HWND edit =
        MakeControl(g, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_LOWERCASE,
                    BoundsFrom(in, 160, 2, 160, 22), kFilemaskedit, WS_EX_CLIENTEDGE);
    Remember(kFilemaskedit, edit);
    Remember(kAddfilemaskbtn,
             MakeButton(g, "Add", BoundsFrom(in, 160, 30, 75, 24), kAddfilemaskbtn));
    Remember(kRemovefilemaskbtn,
             MakeButton(g, "Remove", BoundsFrom(in, 245, 30, 75, 24), kRemovefilemaskbtn));
    keys_.push_back(ListKeys(edit, nullptr, [this] { AddMask(); }));
    keys_.push_back(ListKeys(masklistbox_->Handle(), [this] { RemoveMask(); }));
}

void ScanOptionsPage::CreateSizeGroup(HWND page) {
    sizegroup_ = std::make_unique<CheckGroupBox>(
        page, "Scan For Files Based On File Size:", Bounds(kRight, 136, kRightWidth, 72),
        kSizegroup, CheckGroupBox::Options{});
    Remember(kSizegroup, sizegroup_->TitleBox());
    layout_.Add(sizegroup_->Handle(), follow::kRight);
    const HWND g = sizegroup_->Handle();
    const POINT in = InsideOrigin(*sizegroup_);
    AddCheckBox(g, kFilebiggerbox, "Files That Are Equal To Or Bigger Than",
                BoundsFrom(in, 0, 2, 230, kRow), false);
    biggerspin_ = std::make_unique<SpinEdit>(
        g, BoundsFrom(in, 232, 0, 64, 22), kBiggerspin,
        SpinEdit::Options{.min = 1, .max = kSpinMaxKBytes, .value = 1000, .fallback = 1});
    Remember(kBiggerspin, biggerspin_->Edit());
    MakeLabelAt(g, "KBytes", {in.x + Scaled(300), in.y + Scaled(4)});
    AddCheckBox(g, kFilesmallerbox, "Files That Are Equal To Or Smaller Than",
                BoundsFrom(in, 0, 28, 230, kRow), false);
    smallerspin_ = std::make_unique<SpinEdit>(
        g, BoundsFrom(in, 232, 26, 64, 22), kSmallerspin,
        SpinEdit::Options{.min = 0, .max = kSpinMaxKBytes, .value = 0, .fallback = 0});
    Remember(kSmallerspin, smallerspin_->Edit());
    MakeLabelAt(g, "KBytes", {in.x + Scaled(300), in.y + Scaled(30)});
}

void ScanOptionsPage::CreateDateGroup(HWND page) {
    dategroup_ = std::make_unique<CheckGroupBox>(
        page, "Scan For Files Based On File Date:", Bounds(kRight, 212, kRightWidth, 72),
        kDategroup, CheckGroupBox::Options{});
    Remember(kDategroup, dategroup_->TitleBox());
    layout_.Add(dategroup_->Handle(), follow::kRight);
    const HWND g = dategroup_->Handle();
    const POINT in = InsideOrigin(*dategroup_);
    const auto dateEdit = [&](ControlId id, int top) {
        const HWND edit = MakeControl(g, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                      BoundsFrom(in, 200, top, 100, 22), id, WS_EX_CLIENTEDGE);
        LimitText(edit, kDateLength);
        Remember(id, edit);
    };
    AddCheckBox(g, kLastaccessbox, "Files Last Accessed Before:", BoundsFrom(in, 0, 2, 195, kRow),
                true);
    dateEdit(kAccessdateedit, 0);
    AddCheckBox(g, kLastmodifiedbox,
                "Files Last Modified Before:", BoundsFrom(in, 0, 28, 195, kRow), true);
    dateEdit(kModifieddateedit, 26);
}

void ScanOptionsPage::CreateAttributeGroup(HWND page) {
    attrigroup_ = std::make_unique<CheckGroupBox>(
        page, "Scan For Files Based On File Attribute:", Bounds(kRight, 288, kRightWidth, 64),
        kAttrigroup, CheckGroupBox::Options{});
    Remember(kAttrigroup, attrigroup_->TitleBox());
    layout_.Add(attrigroup_->Handle(), follow::kRight);
    const HWND g = attrigroup_->Handle();
    const POINT in = InsideOrigin(*attrigroup_);
    AddCheckBox(g, kArchivebox, "Archive Files", BoundsFrom(in, 0, 0, 150, kRow), true);
    AddCheckBox(g, kReadonlybox, "Read-Only Files", BoundsFrom(in, 160, 0, 150, kRow), false);
    AddCheckBox(g, kHiddenbox, "Hidden Files", BoundsFrom(in, 0, 20, 150, kRow), false);
    AddCheckBox(g, kSystembox, "System Files", BoundsFrom(in, 160, 20, 150, kRow), false);
}

HWND ScanOptionsPage::Control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

bool ScanOptionsPage::Checked(ControlId id) const {
    return IsChecked(Control(id));
}

void ScanOptionsPage::SetChecked(ControlId id, bool checked) {
    switch (id) {
        case kMaskgroup:
            maskgroup_->SetChecked(checked);
            return;
        case kSizegroup:
            sizegroup_->SetChecked(checked);
            return;
        case kDategroup:
            dategroup_->SetChecked(checked);
            return;
        case kAttrigroup:
            attrigroup_->SetChecked(checked);
            return;
        default:
            sorvane::SetChecked(Control(id), checked);
    }
}

std::string ScanOptionsPage::Text(ControlId id) const {
    return WindowText(Control(id));
}

void ScanOptionsPage::SetText(ControlId id, const std::string& text) {
    SetWindowTextW(Control(id), Widen(text).c_str());
}

void ScanOptionsPage::AddLocation() {
    if (const std::optional<std::string> location = cleantree_->SelectedLocation()) {
        AddListBoxText(Control(kSelecteddrives), *location);
    }
}

void ScanOptionsPage::RemoveLocation() {
    RemoveSelectedItem(Control(kSelecteddrives), platform_.prompts);
}

void ScanOptionsPage::AddMask() {
    const std::string text = Text(kFilemaskedit);
    if (text.empty()) return;
    for (int i = 0; i < masklistbox_->Count(); ++i) {
        if (platform_.locale.CompareText(masklistbox_->Text(i), text) == 0) return;
    }
    masklistbox_->Add(text, false);
}

void ScanOptionsPage::RemoveMask() {
    const int selected = masklistbox_->Selected();
    if (selected < 0 || !platform_.prompts.Confirm(kRemoveItemQuestion)) return;
    masklistbox_->Remove(selected);
}

void ScanOptionsPage::EmptydirboxClick() {
    if (Checked(kEmptydirbox)) SetChecked(kSubcheckbox, true);
}

void ScanOptionsPage::ChooseCombination(ControlId clicked) {
    const ControlId other = clicked == kCollactivebox ? kSeparetebox : kCollactivebox;
    SetChecked(other, !Checked(clicked));
}

std::vector<std::string> ScanOptionsPage::Locations() const {
    return ListBoxTexts(Control(kSelecteddrives));
}

void ScanOptionsPage::SetLocations(const std::vector<std::string>& locations) {
    SetListBoxTexts(Control(kSelecteddrives), locations);
}

std::vector<ScanMask> ScanOptionsPage::Masks() const {
    std::vector<ScanMask> masks;
    for (int i = 0; i < masklistbox_->Count(); ++i) {
        masks.push_back({masklistbox_->Text(i), masklistbox_->Checked(i)});
    }
    return masks;
}

void ScanOptionsPage::SetMasks(const std::vector<ScanMask>& masks) {
    masklistbox_->Clear();
    for (const ScanMask& mask : masks) masklistbox_->Add(mask.text, mask.checked);
}

DriveScanCriteria ScanOptionsPage::Criteria() const {
    DriveScanCriteria c;
    c.locations = Locations();
    c.subdirectories = Checked(kSubcheckbox);
    c.emptyDirectoryCheck = Checked(kEmptydirbox);
    c.collective = Checked(kCollactivebox);
    c.maskGroup = maskgroup_->Checked();
    c.masks = Masks();
    c.sizeGroup = sizegroup_->Checked();
    c.dateGroup = dategroup_->Checked();
    RefreshLimits(c);
    c.attributeGroup = attrigroup_->Checked();
    c.archive = Checked(kArchivebox);
    c.readOnly = Checked(kReadonlybox);
    c.hidden = Checked(kHiddenbox);
    c.system = Checked(kSystembox);
    return c;
}

bool ScanOptionsPage::RefreshLimits(DriveScanCriteria& c) const {
    DriveScanCriteria now = c;
    now.biggerOn = Checked(kFilebiggerbox);
    now.biggerKBytes = biggerspin_->Value();
    now.smallerOn = Checked(kFilesmallerbox);
    now.smallerKBytes = smallerspin_->Value();
    now.accessedOn = Checked(kLastaccessbox);
    now.accessedBefore = Text(kAccessdateedit);
    now.modifiedOn = Checked(kLastmodifiedbox);
    now.modifiedBefore = Text(kModifieddateedit);
    const bool changed = now.biggerOn != c.biggerOn || now.biggerKBytes != c.biggerKBytes ||
                         now.smallerOn != c.smallerOn || now.smallerKBytes != c.smallerKBytes ||
                         now.accessedOn != c.accessedOn || now.accessedBefore != c.accessedBefore ||
                         now.modifiedOn != c.modifiedOn || now.modifiedBefore != c.modifiedBefore;
    if (changed) c = std::move(now);
    return changed;
}

void ScanOptionsPage::AddStoredEntries(StoredOptions& s) {
    const auto checkBox = [&](const std::string& name, ControlId id) {
        s.AddBool(
            name, [this, id] { return Checked(id); },
            [this, id](const bool& v) { SetChecked(id, v); });
    };
    const auto text = [&](const std::string& name, ControlId id) {
        s.AddText(
            name, [this, id] { return Text(id); },
            [this, id](const std::string& v) { SetText(id, v); });
    };
    const auto spin = [&](const std::string& name, SpinEdit& edit) {
        s.AddFloat(
            name, [&edit] { return static_cast<double>(edit.Value()); },
            [&edit](const double& v) { edit.SetValue(static_cast<int>(v)); });
    };
    s.AddStrings(
        "Selecteddrives.Items", [this] { return Locations(); },
        [this](const std::vector<std::string>& v) { SetLocations(v); });
    checkBox("Subcheckbox.Checked", kSubcheckbox);
    checkBox("Emptydirbox.Checked", kEmptydirbox);
    checkBox("Lastaccessbox.Checked", kLastaccessbox);
    checkBox("Lastmodifiedbox.Checked", kLastmodifiedbox);
    text("Accessdateedit.Text", kAccessdateedit);
    text("Modifieddateedit.Text", kModifieddateedit);
    checkBox("Archivebox.Checked", kArchivebox);
    checkBox("Readonlybox.Checked", kReadonlybox);
    checkBox("Hiddenbox.Checked", kHiddenbox);
    checkBox("Systembox.Checked", kSystembox);
    checkBox("Filebiggerbox.Checked", kFilebiggerbox);
    checkBox("Filesmallerbox.Checked", kFilesmallerbox);
    spin("Biggerspin.Value", *biggerspin_);
    spin("Smallerspin.Value", *smallerspin_);
    checkBox("Dategroup.Checked", kDategroup);
    checkBox("Attrigroup.Checked", kAttrigroup);
    checkBox("Sizegroup.Checked", kSizegroup);
    checkBox("Maskgroup.Checked", kMaskgroup);
}

void ScanOptionsPage::AddCombinationEntries(StoredOptions& s) {
    for (const auto& [name, id] : {std::pair{"Collactivebox.Checked", kCollactivebox},
                                   std::pair{"Separetebox.Checked", kSeparetebox}}) {
        s.AddBool(
            name, [this, id = id] { return Checked(id); },
            [this, id = id](const bool& v) { SetChecked(id, v); });
    }
}

void ScanOptionsPage::AfterRestore() {
    SetChecked(kSeparetebox, !Checked(kCollactivebox));
}

}  // namespace sorvane
