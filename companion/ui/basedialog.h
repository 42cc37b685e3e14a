#pragma once

#include <QDialog>

// Base of the program's dialogs: a modal dialog with its title set and no
// context-help button. A subclass builds its layout in its constructor and
// then calls afterCreateUI(), where common finishing touches go.
class BaseDialog : public QDialog
{
    Q_OBJECT
public:
    BaseDialog(const QString& title, QWidget* parent);

    // Called by the subclass once its layout is in place. The base sizes the
    // dialog to its contents; overrides usually call it too.
    virtual void afterCreateUI();
};
