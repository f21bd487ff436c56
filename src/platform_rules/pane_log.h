#pragma once

#include <QLoggingCategory>

namespace corvalen {

// What the panes say of the pages they refuse, the reads that fail and the moves they get wrong.
Q_DECLARE_LOGGING_CATEGORY(lcPanes)

} // namespace corvalen
