#pragma once

#include <QObject>
#include <QVector>

#include <utility>

// What changed in an open return, announced by the return itself: whoever
// shows the return listens here instead of being told by every caller that
// changed it. An operation that makes several writes announces them once,
// when its outermost ReturnChangeGuard ends (a recalculation inside an
// Auto-fill, a removal followed by its recalculation); a write outside any
// guard is announced at once.
//
// Persons are named as CFamilyTaxData names the current person (-2 the
// taxpayer, -1 the spouse); kinds as ENUMTYPE_FROM (0 forms, 1 slips, 2
// interview data, 3 notes), or kAllKinds.
class ReturnChangeNotifier : public QObject
{
    Q_OBJECT
public:
    static constexpr int kAllKinds = -1;

    explicit ReturnChangeNotifier(QObject* parent = nullptr) : QObject(parent) {}

    // What an operation changed; announced now, or when the guards end.
    void noteCalculated();
    void noteItemsChanged(int person, int kind);
    void noteFilingStatusChanged(int formType);
    void notePersonSwitched(int person);

    bool isHeld() const { return m_depth > 0; }

signals:
    // Announced in this order at the end of an operation: the person shown,
    // then the lists, then the filing marks, then the figures.
    void personSwitched(int person);
    void itemsChanged(int person, int kind);
    void filingStatusChanged(int formType);
    void calculated();

private:
    friend class ReturnChangeGuard;

    struct Pending
    {
        bool calculated = false;
        bool switched = false;
        int person = 0;
        QVector<std::pair<int, int>> items;
        QVector<int> filing;
        bool empty() const { return !calculated && !switched && items.isEmpty() && filing.isEmpty(); }
    };

    void hold() { ++m_depth; }
    void release();
    void announceIfFree();

    int m_depth = 0;
    bool m_announcing = false;
    Pending m_pending;
};

// Groups the writes of one operation into one announcement. Guards nest;
// the outermost one's end announces what all of them collected.
class ReturnChangeGuard
{
public:
    explicit ReturnChangeGuard(ReturnChangeNotifier& notifier) : m_notifier(notifier) { m_notifier.hold(); }
    ~ReturnChangeGuard() { m_notifier.release(); }
    ReturnChangeGuard(const ReturnChangeGuard&) = delete;
    ReturnChangeGuard& operator=(const ReturnChangeGuard&) = delete;

private:
    ReturnChangeNotifier& m_notifier;
};
