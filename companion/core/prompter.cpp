#include "companion/core/prompter.h"

#include "companion/core/quietprompter.h"


#include <atomic>

namespace {

std::atomic<Prompter*> g_installed{nullptr};
std::atomic<Prompter*> g_fallback{nullptr};

// Refusing answers, the safest first.
const Prompt::StandardButton kCautiousOrder[] = {
    Prompt::Cancel, Prompt::No,    Prompt::NoToAll, Prompt::Abort,
    Prompt::Close,  Prompt::Discard, Prompt::Ignore,
};

// Accepting answers, the plainest first.
const Prompt::StandardButton kAffirmativeOrder[] = {
    Prompt::Yes,  Prompt::Ok,    Prompt::YesToAll, Prompt::Save,
    Prompt::SaveAll, Prompt::Apply, Prompt::Open,  Prompt::Retry,
};

Prompt::StandardButton lowestButton(Prompt::StandardButtons buttons)
{
    for (unsigned bit = Prompt::FirstButton; bit <= Prompt::LastButton; bit <<= 1) {
        if (buttons.testFlag(Prompt::StandardButton(bit)))
            return Prompt::StandardButton(bit);
    }
    return Prompt::NoButton;
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

Prompt::StandardButton Prompter::cautiousButton(Prompt::StandardButtons buttons)
{
    for (Prompt::StandardButton b : kCautiousOrder) {
        if (buttons.testFlag(b))
            return b;
    }
    // Nothing refuses (a box with OK only): its one button is the answer.
    return lowestButton(buttons);
}

Prompt::StandardButton Prompter::affirmativeButton(Prompt::StandardButtons buttons)
{
    for (Prompt::StandardButton b : kAffirmativeOrder) {
        if (buttons.testFlag(b))
            return b;
    }
    return Prompt::NoButton;
}

bool Prompter::isAffirmative(Prompt::StandardButton button)
{
    for (Prompt::StandardButton b : kAffirmativeOrder) {
        if (b == button)
            return true;
    }
    return false;
}
