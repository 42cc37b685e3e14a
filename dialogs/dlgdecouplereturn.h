#pragma once

#include <QDialog>

class QComboBox;

// "De-couple Tax Return": the user picks the person whose return stays; the
// other person's data will be taken out. The dialog only asks: the caller
// applies the choice to the return after OK.
class DlgDeCoupleReturn : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 548;
    static constexpr int kHeight = 279;

    // The two names as the combo lists them: the taxpayer first.
    DlgDeCoupleReturn(const QString& taxpayerName, const QString& spouseName, QWidget* parent);

    // 0 keeps the taxpayer, 1 the spouse; read after OK.
    int keptPerson() const { return m_kept; }

public slots:
    void on_buttonBox_accepted();

private:
    QComboBox* m_combo = nullptr;
    int m_kept = 0;
};
