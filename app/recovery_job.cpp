#include "app/recovery_job.h"

#include <new>

RecoveryJob theJob;

void ResetRecoveryJob() {
    theJob.~RecoveryJob();
    new (&theJob) RecoveryJob();
}
