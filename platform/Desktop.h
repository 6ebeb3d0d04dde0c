#pragma once
// Opening an address in the user's default browser. Tests replace the opener and read the
// addresses asked for.
#include <QString>
#include <functional>

namespace tandor {

class Desktop {
 public:
  using Opener = std::function<void(const QString& url)>;
  // Hands the address to the desktop's "open"; the result is ignored.
  static void openUrl(const QString& url);
  static Opener setOpener(Opener opener);
};

}  // namespace tandor
