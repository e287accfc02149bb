// A command line that cannot be obeyed as written; setuppack answers it with
// exit code 2 and a hint to the command's help. Raised by the commands and by
// the packing steps that take an option's text (--stamp, --product-version).
#pragma once

#include "common/errors.h"

class EUsageError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EUsageError"; }
};
