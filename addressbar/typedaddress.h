#pragma once

#include <QString>

// What Enter in the URL box makes of the text typed there. An address that names a
// scheme the browser opens is kept as typed; an absolute local path becomes the
// file: URL of that file; anything else is taken for a web address and gets
// "http://" in front.
namespace TypedAddress {

QString completed(const QString &typed);

} // namespace TypedAddress
