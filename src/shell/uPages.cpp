#include "shell/uPages.h"

#include <QHash>

namespace {
QHash<int, TPageOpener>& pages()
{
    static QHash<int, TPageOpener> p;
    return p;
}
} // namespace

void RegisterPage(int page, TPageOpener opener)
{
    pages().insert(page, std::move(opener));
}

bool PageAvailable(int page)
{
    return pages().contains(page);
}

bool OpenPage(int page)
{
    const auto it = pages().constFind(page);
    if (it == pages().constEnd())
        return false;
    it.value()();
    return true;
}

void ClearPages()
{
    pages().clear();
}
