#pragma once
// Name fields turn a typed space into "_", since LDF names cannot hold spaces.

#include <QObject>

class QLineEdit;

class SpaceToUnderscore : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Filters the keys of `field`; the filter belongs to the field.
    static void Install(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
