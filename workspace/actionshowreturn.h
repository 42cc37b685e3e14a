#pragma once

#include <QAction>

class ReturnPageInterface;

// The Windows-menu entry of one open return: choosing it makes that page
// current. The entry does not own the page.
class ActionShowReturn : public QAction
{
public:
    ActionShowReturn(ReturnPageInterface* page, const QString& text, QObject* parent);

    ReturnPageInterface* page() const { return m_pFormReturn; }
    // "Return <number> - <page title>".
    static QString entryText(int returnNumber, const QString& pageTitle);

private:
    ReturnPageInterface* m_pFormReturn;
};
