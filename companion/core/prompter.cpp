#include "companion/core/prompter.h"

#include "companion/core/quietprompter.h"

#include <QDialog>

#include <atomic>

namespace {

std::atomic<Prompter*> g_installed{nullptr};
std::atomic<Prompter*> g_fallback{nullptr};

// Refusing answers, the safest first.
const QMessageBox::StandardButton kCautiousOrder[] = {
    QMessageBox::Cancel, QMessageBox::No,    QMessageBox::NoToAll, QMessageBox::Abort,
    QMessageBox::Close,  QMessageBox::Discard, QMessageBox::Ignore,
};

// Accepting answers, the plainest first.
const QMessageBox::StandardButton kAffirmativeOrder[] = {
    QMessageBox::Yes,  QMessageBox::Ok,    QMessageBox::YesToAll, QMessageBox::Save,
    QMessageBox::SaveAll, QMessageBox::Apply, QMessageBox::Open,  QMessageBox::Retry,
};

QMessageBox::StandardButton lowestButton(QMessageBox::StandardButtons buttons)
{
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (buttons.testFlag(QMessageBox::StandardButton(bit)))
            return QMessageBox::StandardButton(bit);
    }
    return QMessageBox::NoButton;
}

} // namespace

QStringList PromptContent::texts() const
{
    QStringList result;
    for (const PromptLine& line : lines) {
        if (!line.isLink && !line.text.isEmpty())
            result << line.text;
    }
    return result;
}

QString PromptContent::firstLink() const
{
    if (!link.isEmpty())
        return link;
    for (const PromptLine& line : lines) {
        if (line.isLink && !line.text.isEmpty())
            return line.text;
    }
    return QString();
}

Prompter::~Prompter() = default;

Prompter& Prompter::instance()
{
    if (Prompter* installed = g_installed.load())
        return *installed;
    if (Prompter* fallback = g_fallback.load())
        return *fallback;
    static QuietPrompter noWindows;
    return noWindows;
}

void Prompter::setFallback(Prompter* prompter)
{
    g_fallback.store(prompter);
}

Prompter* Prompter::install(Prompter* prompter)
{
    return g_installed.exchange(prompter);
}

QMessageBox::StandardButton Prompter::cautiousButton(QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton b : kCautiousOrder) {
        if (buttons.testFlag(b))
            return b;
    }
    // Nothing refuses (a box with OK only): its one button is the answer.
    return lowestButton(buttons);
}

QMessageBox::StandardButton Prompter::affirmativeButton(QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton b : kAffirmativeOrder) {
        if (buttons.testFlag(b))
            return b;
    }
    return QMessageBox::NoButton;
}

bool Prompter::isAffirmative(QMessageBox::StandardButton button)
{
    for (QMessageBox::StandardButton b : kAffirmativeOrder) {
        if (b == button)
            return true;
    }
    return false;
}
