#include "loginname.h"

#include <pwd.h>
#include <unistd.h>

QString loginName()
{
    // The account of the effective user, not $USER: the environment is the caller's
    // to change, the account database is not.
    const passwd *account = getpwuid(geteuid());
    if (!account || !account->pw_name)
        return {};
    return QString::fromLocal8Bit(account->pw_name);
}
