#pragma once

#include <QLineEdit>

// An odometer or distance field of the Miles Pad. Only the pad's buttons
// enter text (InsertCharacter, DeleteBack); the keyboard types nothing. A
// reading is written with one decimal and read as the number at the start of
// the text, with the locale's decimal separator.
class CEditPadMileage : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kDefaultLimit = 8;

    explicit CEditPadMileage(QWidget* parent = nullptr);

    // The most characters the buttons add to a text with nothing selected.
    // Texts set by the program may be longer: a reading is never cut.
    void SetLimit(int limit) { limit_ = limit; }
    int GetLimit() const { return limit_; }
    QString GetDecimalSeparator() const { return decimalSeparator_; }

    // A digit or the decimal separator in place of the selection; false when
    // refused (the text full, a second separator).
    bool InsertCharacter(QChar c);
    // Removes the selection, or the character before the caret.
    void DeleteBack();

    // The number the text starts with; 0 for an empty or other text.
    double GetReading() const;
    // `reading` with one decimal ("1234.6").
    void SetReading(double reading);
    // The text of `reading`, as SetReading writes it.
    QString ReadingText(double reading) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SelectAllWhenZero();

    QString decimalSeparator_;
    int limit_ = kDefaultLimit;
};
