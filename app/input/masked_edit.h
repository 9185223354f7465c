#pragma once
// A digit field with a fixed mask: a QLineEdit whose every edit (keys, paste from the keyboard,
// the context menu, the X11 selection or a drop, input-method commits, cut) goes through a
// MaskModel, so the text always has the mask's full length, its literals in place and a digit in
// every digit position. Qt's own input mask is not used: it drops typed zeros from text(),
// refuses some spaces and shifts pasted text.
//
// text() and displayText() are the same full text, literals and zeros included.
//
// Change notification: textChanged is emitted once for every change of the text, whoever makes
// it, and never when the text stays the same: setText() or setMask() with a text equal to the
// current one emits nothing (as QLineEdit::setText). Edits by the user also emit textEdited.
// Refused keys sound strikon::beep() and change nothing.
//
// Set the text through this class (setText, setMask), not through a QLineEdit pointer: the
// base class's setText is not virtual and would bypass the mask.

#include <QLineEdit>
#include <functional>

#include "app/input/mask_model.h"

class QAction;
class QMenu;

namespace strikon {

class MaskedEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit MaskedEdit(QWidget* parent = nullptr);

    // Installs a mask ("9 999999 999999;1;0") and its text in one step, so that no change
    // notification ever sees the new mask with the old text. The text is fed through the mask
    // as by setText(). Takes the Escape snapshot.
    void setMask(const QString& mask, const QString& text);
    using QLineEdit::setMask;  // QWidget's region masks stay reachable

    // A mask given as QLineEdit's inputMask property (as a layout file may carry it) is installed
    // as this field's own mask, the current digits fed through it; Qt's mask is never used.
    void setInputMask(const QString& mask);

    // The pattern of the installed mask, e.g. "9 999999 999999".
    QString maskPattern() const;

    // The standard menu, with paste, cut and delete going through the mask.
    QMenu* createStandardContextMenu();

  public slots:
    // Feeds `text` through the mask from the first position ("4006381333931" and
    // "4 006381 333931" both give "4 006381 333931" under the EAN-13 mask) and takes the Escape
    // snapshot.
    void setText(const QString& text);
    // Pastes the clipboard's text through the mask at the cursor, replacing the selection.
    void paste();
    // Copies the selection to the clipboard and clears its digits to zeros.
    void cut();
    // Escape, Ctrl+Z and the menu's Undo: gives the field back the text it had when the user
    // entered it (or a handler last set it). Returns whether the text changed.
    bool undoTyping();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    void reroute(QAction* action, const std::function<void()>& edit);
    bool routeEditKey(QKeyEvent* event);
    void typeText(const QString& text);
    void pasteAt(const QString& text, int start, int length);
    void apply(const MaskEdit& edit);
    void showModelText(int cursor);
    int editStart() const;
    int editLength() const;

    MaskModel model_;
};

}  // namespace strikon
