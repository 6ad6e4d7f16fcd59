#pragma once

#include "accessories/note_find.h"
#include "platform/accessory_window.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace mx {

// The find dialog (frmFind, caption "Find"): collects the text and options and asks the note editor to search;
// the editor selects the match. What was searched for and where it was found live in FindPositions, which
// outlasts the window; the window itself starts blank each time it opens and is deleted when closed.
class FindDialog : public QWidget {
    Q_OBJECT
public:
    // The search: selects the match in the editor and returns its position, or -1.
    using Search = std::function<qint32(const FindSearch& search)>;
    // Places the dialog by the placement rule and returns whether it was placed (not while it is minimised or the
    // main window is being minimised or restored).
    using Placement = std::function<bool()>;

    explicit FindDialog(FindPositions& positions, QWidget* parent = nullptr);

    static constexpr QLatin1StringView kFormName{"frmFind"};
    static AccessoryWindowTraits traits();

    void setSearch(Search search) { search_ = std::move(search); }
    void setPlacement(Placement placement) { placement_ = std::move(placement); }

    // Whether the dialog has been placed since it opened (FindPositioned).
    bool positioned() const { return positioned_; }

protected:
    bool event(QEvent* event) override;

private:
    void onFindFirst();
    void onFindNext();
    void run(const FindSearch& search);

    FindPositions& positions_;
    Search search_;
    Placement placement_;
    bool positioned_ = false;
    bool searched_ = false; // since the dialog opened

    QLineEdit* textBox_ = nullptr;
    QCheckBox* matchCaseBox_ = nullptr;
    QCheckBox* wholeWordBox_ = nullptr;
    QPushButton* findFirstButton_ = nullptr;
    QPushButton* findNextButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace mx
