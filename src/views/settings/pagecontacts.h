#pragma once

#include <QWidget>

// A page of the "Contacts" sheet: a list of people, some of them ticked.
class CPageContacts : public QWidget {
public:
    using QWidget::QWidget;

    // The ticked names, in list order, joined by ", ".
    virtual QString Text() const = 0;
};
