#include "driver/error_log.h"

int ReportDriverErrors() {
    return 0;  // placeholder until the report lands
}
