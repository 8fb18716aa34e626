#pragma once

#include <QString>

#include <array>

// One web search engine: its row in the engine menu, the address a search text is
// appended to (scheme, search host, path and query up to the "=" of the text's key),
// and its home page.
struct SearchEngine
{
    QString name;
    QString prefix;
    QString home;
};

using SearchEngineTable = std::array<SearchEngine, 5>;

namespace SearchEngines {

// Baidu, Google, Yahoo, Soso and Gougou, in their Chinese editions, in menu order.
const SearchEngineTable &standard();

// The address that searches for `word`: `prefix` followed by the word. The word is
// percent-encoded as one query value, so "&", "=", "#" or spaces in it stay part of the
// search text, and characters outside ASCII are sent as bytes of the input encoding the
// prefix declares in an "ie" or "ei" key (UTF-8 when it declares none). An empty word
// gives the bare prefix.
QString address(const QString &prefix, const QString &word);

} // namespace SearchEngines
