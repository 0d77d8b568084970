#pragma once
// The multi-line plain-text editor of the day editor, the search window and the memo
// window: a QPlainTextEdit that reports every change of its text in line terms, keeps
// its own undo history (so an owner's per-line data comes back with the text), draws
// each line in a colour its owner chooses, knows links in its text and finds text.
//
// Every change of the document goes through one handler, whatever made it: typing,
// overwriting, Backspace and Delete, cut, paste, middle-click paste, input-method
// commits. Drops are refused, since a move inside the editor is one change spanning both
// places and would lose the moved line's data. While read-only (setReadOnly) none of the
// editor's own paths changes the text: keys, paste, undo and redo, owner steps.
//
// Keys beyond QPlainTextEdit's: Insert toggles overwrite mode, Ctrl+Insert copies and
// leaves the caret at the selection's end, Shift+Insert pastes, Shift+Delete cuts,
// Shift+Return breaks the line; the wheel scrolls one line per notch.

#include <QPlainTextEdit>
#include <any>
#include <deque>
#include <functional>
#include <optional>

#include "dialogs/text_find.h"
#include "editor_models/day_line_attrs.h"

class QSyntaxHighlighter;

namespace velmo {

// An owner's data kept line by line beside the text.
class LineTracker {
public:
    virtual ~LineTracker() = default;
    // Called after each change of the text, before the caret-moved signal.
    virtual void linesEdited(const LineEdit& edit) = 0;
    // The data as it stands, for the undo history, and putting it back.
    virtual std::any saveLines() const = 0;
    virtual void restoreLines(const std::any& saved) = 0;
};

// What stands at a point of the text.
enum class TokenKind { Other, Url, FileLink };

class LineEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr int kUndoLimit = 64;

    explicit LineEditor(QWidget* parent = nullptr);
    ~LineEditor() override;

    // Lines. setLines replaces the text without reporting it as an edit: the history is
    // cleared and the text is not modified.
    int lineCount() const;
    QString line(int row) const;
    QStringList lines() const;
    void setLines(const QStringList& lines);

    // The owner's per-line data (not owned); nullptr for none.
    void setLineTracker(LineTracker* tracker) { tracker_ = tracker; }

    // Caret and selection, rows and columns 0-based.
    int caretRow() const;
    int caretColumn() const;
    void setCaret(int row, int column);
    void setCaretOffset(int offset);
    // The selection as rows and columns, nothing without one.
    std::optional<LineSelection> selectionRect() const;
    void clearSelection();

    // The modified flag the owner reads and sets.
    bool isModified() const;
    void setModified(bool modified);

    // Undo history of at most kUndoLimit steps. Typing, overwriting and deleting in a
    // row form one step. An owner that changes its line data outside a text edit calls
    // beginOwnerStep() first, so that change can be undone too; it returns false while
    // the editor is read-only, and the owner then leaves its data alone. Nothing can be
    // undone or redone while read-only.
    bool canUndo() const { return !isReadOnly() && !undo_.empty(); }
    bool canRedo() const { return !isReadOnly() && !redo_.empty(); }
    void undoStep();
    void redoStep();
    bool beginOwnerStep();

    // Overwrite mode: a typed character replaces the one after the caret (not a line
    // break). The Insert key toggles it.
    bool overwriting() const { return overwriteMode(); }
    void setOverwriting(bool on);

    // Searches from the caret (forward from the selection's end, backward from its start),
    // selects the match and scrolls it into view. Nothing found leaves the selection.
    bool find(const QString& needle, const FindOptions& options);

    // View.
    int visibleRows() const;
    int visibleColumns() const;
    int topRow() const;
    void setTopRow(int row);
    void setTabWidth(int characters);
    int tabWidth() const { return tabWidth_; }

    // The colour each line is drawn in; nothing for the palette's text colour.
    void setLineColours(std::function<std::optional<QColor>(int row)> colourOf);
    void refreshLineColours();

    // Links: the kind of token at a text position, and selecting it (a whole URL or file
    // link, else the word). A position just after a token still counts as the token's.
    TokenKind tokenKindAt(int row, int column) const;
    void selectTokenAt(int row, int column);
    // The whole link (URL or file link) at a position, nothing where no link stands.
    std::optional<QString> linkAt(int row, int column) const;
    // The link or word at the caret, as a double click would select it.
    QString wordAtCaret() const;
    // Off (the day editor): a double click selects a link like a word. On: a double click
    // on a link emits linkActivated instead, and the pointer over a link is a hand.
    void setActivatesLinks(bool on);
    bool activatesLinks() const { return activatesLinks_; }

signals:
    // After every change of the text, before caretMoved.
    void textEdited();
    void caretMoved();
    void focusEntered();
    void mouseReleased();
    // After a double click that selected a word or link (not after linkActivated).
    void doubleClicked();
    void overwriteChanged(bool overwriting);
    void linkActivated(const QString& link);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    struct Snapshot {
        QString text;
        int anchor = 0;
        int position = 0;
        bool modified = false;
        std::any lines;
    };
    enum class Run { None, Typing, Overwriting, DeletingBack, DeletingForward };

    void onContentsChange(int position, int removed, int added);
    void onCursorMoved();
    Snapshot snapshot(const QString& text, int anchor, int position) const;
    void restore(const Snapshot& state);
    void pushUndo(Snapshot state);
    QString rawText() const;
    // A cursor selecting the token selectTokenAt selects; without a selection for none.
    QTextCursor tokenCursorAt(int row, int column) const;
    bool handleEditorKey(QKeyEvent* event);
    bool overwriteTyped(QKeyEvent* event);
    void updatePointer(QPoint at);

    LineTracker* tracker_ = nullptr;
    QSyntaxHighlighter* highlighter_ = nullptr;
    std::function<std::optional<QColor>(int)> colourOf_;
    int tabWidth_ = 8;

    // The text, caret and flag as they stood before the change being reported.
    QString text_;
    int anchor_ = 0;
    int position_ = 0;
    bool modified_ = false;

    std::deque<Snapshot> undo_;
    std::deque<Snapshot> redo_;
    Run run_ = Run::None;
    int runEnd_ = -1;  // where the running step continues
    bool restoring_ = false;
    bool inChange_ = false;
    bool forwardDeleteKey_ = false;
    bool overwriteKey_ = false;

    bool activatesLinks_ = false;
    // Where the pointer shape was last decided; it is decided again only after the
    // mouse moved far enough, as finding the link under it costs a layout query.
    std::optional<QPoint> pointerCheckedAt_;
};

}  // namespace velmo
