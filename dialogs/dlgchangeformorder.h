#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QListWidget;

// Rearranges the listed forms of one person with Up and Down. The dialog
// works on labels only: it is given one label per movable form, in list
// order, and after OK order() tells which original entry stands at each
// position. The caller writes that order into the person's form list.
class DlgChangeFormOrder : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 689;
    static constexpr int kHeight = 488;

    DlgChangeFormOrder(const QStringList& labels, QWidget* parent);

    // Original index of the entry at each position, as last accepted (or as
    // given, before OK).
    const std::vector<int>& order() const { return m_accepted; }

public slots:
    void on_btnUp_clicked();
    void on_btnDown_clicked();
    void on_buttonBox_accepted();

private:
    void moveCurrent(int step);

    QListWidget* m_list = nullptr;
    std::vector<int> m_working;
    std::vector<int> m_accepted;
};
