#pragma once

#include "model/taxplanning.h"

#include <QDialog>
#include <array>

class CFamilyTaxData;
class QLabel;
class QLineEdit;
class QSlider;

// "Tax Planning": what-if sliders for an RRSP contribution, a donation, an
// income item and a deduction item of the current person, on a scratch copy
// of the return, with the result before and after. The caller owns the copy
// and frees it afterwards; the open return never sees what happens here.
class DlgTaxPlanning : public QDialog
{
    Q_OBJECT
public:
    DlgTaxPlanning(CFamilyTaxData* pFamily, QWidget* parent);

    static constexpr int kItems = 4;

private slots:
    // Applies every maximum edit whose text the user changed.
    void onLineEditFinished();
    void onSliderRRSPChanged(int value);
    void onSliderDonationChanged(int value);
    void onSliderIncomeChanged(int value);
    void onSliderDeductionChanged(int value);

private:
    struct Row
    {
        PlanningItem item;
        QLineEdit* maxEdit = nullptr;
        QLabel* current = nullptr;
        QSlider* slider = nullptr;
        double maximum = 0.0;
        double amount = 0.0;
        QString shownMax; // the maximum's text as last shown
    };

    void buildLayout();
    // Names, the before column and the starting amounts.
    void InitSomeValues();
    // The row's slider, labels and edit from its amounts; no recalculation.
    void showRow(Row& row);
    // The row's amount into the copy, then the after column.
    void calc(Row& row);
    void showCurResult();
    void fillColumn(const std::array<QLabel*, 3>& column);

    CFamilyTaxData* m_pFamilyData;
    bool m_bCoupled = false;
    QString m_name1;
    QString m_name2;
    std::array<Row, kItems> m_rows;
    std::array<QLabel*, 3> m_after{};
    std::array<QLabel*, 3> m_before{};
};
