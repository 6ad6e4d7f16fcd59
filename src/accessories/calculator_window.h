#pragma once

#include "accessories/calculator_engine.h"
#include "platform/accessory_window.h"

#include <QWidget>

#include <array>
#include <optional>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace mx {

// The desk calculator window (Calculator): buttons over CalculatorEngine, and Copy to the clipboard. The keyboard
// presses the buttons too: digits, "." and ",", + - * /, "=" and Enter, %, Backspace (CE), Escape and Delete (C),
// Ctrl+C (Copy). The main window's registry creates, places and tracks it; the window is deleted when closed, so it
// opens with "0." every time.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorWindow(QWidget* parent = nullptr);

    static constexpr QLatin1StringView kFormName{"Calculator"};
    // Form name, opening outer size and placement guard for the registry.
    static AccessoryWindowTraits traits();

    QString readoutText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The button a typed key presses, or none.
    QPushButton* buttonForKey(const QKeyEvent& key) const;
    void onButton(const QString& caption);
    void onCopy();
    void report(const std::optional<CalculatorMessage>& message);

    CalculatorEngine engine_;

    QLabel* readout_ = nullptr;
    QFrame* separator_ = nullptr;
    std::array<QPushButton*, 10> digitButtons_{};
    std::array<QPushButton*, 5> operatorButtons_{};
    QPushButton* clearButton_ = nullptr;
    QPushButton* clearEntryButton_ = nullptr;
    QPushButton* pointButton_ = nullptr;
    QPushButton* percentButton_ = nullptr;
    QPushButton* rootButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
};

} // namespace mx
