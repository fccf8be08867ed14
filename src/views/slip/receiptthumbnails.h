#pragma once

#include <QList>
#include <QScrollArea>

#include "receipts/receipt.h"

class QGridLayout;
class QLabel;
class QToolButton;

// The receipts of an expense as small pictures, a few to a row, each a
// button named after the file it came from: a tap on one opens it.
class CReceiptThumbnails : public QScrollArea {
    Q_OBJECT

public:
    // `empty` is what shows while there are none.
    CReceiptThumbnails(const QString& empty, QWidget* parent);

    void SetReceipts(const QList<Receipt>& receipts);
    const QList<Receipt>& Receipts() const { return receipts_; }
    // The button of the receipt at `index`, or none.
    QToolButton* Thumbnail(int index) const;

    // The name a receipt is shown and heard by: the file's own name, else
    // its place among the expense's receipts.
    static QString NameOf(const Receipt& receipt, int index);

    static constexpr int kSize = 64;

signals:
    void opened(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Arrange();

    QList<Receipt> receipts_;
    QList<QToolButton*> buttons_;  // owned by the area's widget
    QWidget* inside_;
    QGridLayout* grid_;
    QLabel* empty_;
    int columns_ = 0;
};
