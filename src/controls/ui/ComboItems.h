#pragma once

#include <QComboBox>
#include <QStringList>

namespace kivrun {

// Shows items and a text in an editable combo box, touching only what differs: a refresh then
// neither flickers nor moves the caret of the text being typed.
inline void ShowComboItems(QComboBox* box, const QStringList& items, const QString& text) {
    QStringList listed;
    for (int i = 0; i < box->count(); ++i)
        listed << box->itemText(i);
    if (listed != items) {
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(-1);
    }
    if (box->currentText() != text) box->setEditText(text);
}

}  // namespace kivrun
