#pragma once

#include <QString>

// The name the user signed in with, as the system's account database knows the
// effective user; empty when the system cannot tell.
QString loginName();
