// Headers nearly every translation unit includes, compiled once per target.
#include <QObject>
#include <QString>
#include <QStringList>

#include <gmpxx.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
