#pragma once
// Thin typed views of the standard controls the windows talk to: a check box's state, a list
// box's entries and selection, a report list view's columns, rows and cells. They own nothing;
// the window owns the control.
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);
// The most characters the user may type into an edit box.
void LimitText(HWND edit, int characters);

class ListBox {
  public:
    explicit ListBox(HWND list) : list_(list) {}

    std::vector<std::string> Texts() const;
    void SetTexts(const std::vector<std::string>& texts);
    // Adds `text` unless the list holds it already, letter case aside.
    void AddUnique(const std::string& text);
    // Adds `text` as it is (a sorted list puts it in its place).
    void Add(const std::string& text);
    int Count() const;
    std::optional<std::size_t> Selected() const;
    void Select(std::size_t index);
    void Remove(std::size_t index);
    // How far a list with a sideways scroll bar scrolls, in pixels.
    void SetScrollWidth(int pixels);

  private:
    HWND list_;
};

// A drop-down list.
class ComboBox {
  public:
    explicit ComboBox(HWND combo) : combo_(combo) {}

    void SetTexts(const std::vector<std::string>& texts);
    std::optional<std::size_t> Selected() const;
    void Select(std::size_t index);

  private:
    HWND combo_;
};

class ListView {
  public:
    explicit ListView(HWND list) : list_(list) {}

    void AddColumn(const std::string& heading, int width);
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    int Count() const;
    void Clear();
    // Appends an empty row with the image list's image `image`; none without one.
    void AddRow(std::optional<int> image);
    void SetCell(int row, int column, const std::string& text);
    std::string Cell(int row, int column) const;
    std::optional<std::size_t> Selected() const;
    void Select(std::size_t row);
    // Row and column of the cell at a point of the list's client area.
    std::optional<std::pair<int, int>> CellAt(POINT point) const;

  private:
    HWND list_;
};

}  // namespace sorvane
