#pragma once
// The input model of a masked digit field: a fixed-length text in which every digit position
// always holds a digit and the literal characters of the mask never move or change. The widget
// only routes keys, pastes and cuts here; every rule of what an edit does lives in this class,
// which knows nothing of Qt so that it can be tested on its own.
//
// A mask is written "pattern;keep;blank", e.g. "9 999999 999999;1;0": in the pattern '9' is a
// digit position and any other character is a literal shown in the field; "1" keeps the literals
// in the text; the blank is what an unfilled digit position shows. The blank must be a digit so
// that an empty position and a typed one are the same thing; any other blank reads as '0'.
// Masks are ASCII; the text is then ASCII too, one byte per character shown.
//
// Positions and cursors are character indexes into the text, 0 to size(). A selection is given
// as its first index and its length; a length of 0 means the plain cursor at `start`.

#include <string>
#include <string_view>

namespace strikon {

// What an edit did: `refused` means nothing changed and the user should hear the beep;
// `cursor` is where the cursor goes afterwards (unchanged when refused).
struct MaskEdit {
    bool refused = false;
    int cursor = 0;
};

class MaskModel {
  public:
    // An empty mask: an empty text that refuses every character.
    MaskModel() = default;
    MaskModel(std::string_view mask, std::u32string_view text);

    // Installs a mask together with its text, as one step, and takes the Escape snapshot.
    void setMask(std::string_view mask, std::u32string_view text);
    // Feeds `text` through the mask from the first position, as a paste into a cleared field
    // would, and takes the Escape snapshot. Both "4006381333931" and "4 006381 333931" give
    // "4 006381 333931" under the EAN-13 mask.
    void setText(std::u32string_view text);

    const std::string& text() const { return text_; }
    const std::string& pattern() const { return pattern_; }
    int size() const { return static_cast<int>(text_.size()); }
    bool isDigitPosition(int pos) const;

    // Typing one character with the selection [start, start+length), in overwrite mode. A digit
    // clears the selection, lands on the first digit position from `start` and moves the cursor
    // to the next digit position (or the end); at the end it is refused. A space changes nothing
    // and moves the cursor just past the next literal (the one under the cursor included); it is
    // refused where no literal follows. Any other character is refused.
    MaskEdit type(char32_t ch, int start, int length = 0);
    // Backspace: clears the selection, or the digit before the cursor (skipping literals) and
    // moves onto it. At the first position it does nothing, which is not a refusal.
    MaskEdit backspace(int start, int length = 0);
    // Delete: clears the selection, or the digit at the cursor; the cursor stays. On a literal or
    // at the end it does nothing, which is not a refusal.
    MaskEdit del(int start, int length = 0);
    // Clears every digit position in the selection to the blank digit (Delete, Backspace, cut).
    MaskEdit clear(int start, int length);
    // Pastes `text` through the mask from the selection's start, after clearing the selection;
    // what goes beyond the end is dropped. Refused only at the end of the field.
    MaskEdit paste(std::u32string_view text, int start, int length = 0);
    // Escape: restores the snapshot if the text differs from it. Returns whether it did; when
    // there is nothing to undo the key is not the field's, so this is no refusal either.
    bool restoreSnapshot();

    // Remembers the current text as the one Escape returns to (taken at focus-in).
    void takeSnapshot() { snapshot_ = text_; }
    const std::string& snapshot() const { return snapshot_; }

  private:
    int nextDigitFrom(int pos) const;
    int prevDigitBefore(int pos) const;
    int feed(std::u32string_view text, int pos);
    void clampSelection(int& start, int& length) const;

    std::string pattern_;
    std::string text_;
    std::string snapshot_;
    char blank_ = '0';
};

}  // namespace strikon
