#pragma once

#include <QLabel>

// A file's path as a read-only field shows it: whole where it fits, else
// with the folder shortened in the middle and the file's name kept whole,
// which is the part a user tells files apart by. The whole path stays the
// text, the tip and the accessible description.
class CPathField : public QLabel {
    Q_OBJECT

public:
    explicit CPathField(QWidget* parent = nullptr);

    void SetPath(const QString& path);
    QString Path() const { return text(); }

    // The path as drawn in the field's present width.
    QString ShownText() const;
    // The file's name, which the field never shortens while it has room
    // for the name alone.
    QString FileName() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void PathChanged(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int TextRoom() const;
};
