#include <gtest/gtest.h>

#include "layout/steps.h"

namespace vxr::operations {

using layout::completionStep;
using layout::proceedStep;
using layout::Step;
using layout::StepKind;
using layout::stepKind;
namespace {

TEST(Steps, EachStepNumberHasItsKind) {
    struct Case {
        int step;
        StepKind kind;
    };
    const Case cases[] = {
        {1, StepKind::List},      {2, StepKind::List},       {3, StepKind::File},       {4, StepKind::List},
        {5, StepKind::File},      {6, StepKind::List},       {7, StepKind::List},       {8, StepKind::File},
        {9, StepKind::List},      {10, StepKind::Buttons},   {11, StepKind::Buttons},   {18, StepKind::Buttons},
        {19, StepKind::Progress}, {20, StepKind::Buttons},   {23, StepKind::Buttons},   {24, StepKind::None},
        {29, StepKind::Password}, {119, StepKind::Progress}, {129, StepKind::Password}, {0, StepKind::None},
    };
    for (const Case& c : cases) EXPECT_EQ(stepKind(c.step), c.kind) << c.step;
}

TEST(Steps, EachOperationHasItsProceedQuestionAndCompletion) {
    struct Case {
        int opCode;
        Step proceed, completion;
    };
    const Case cases[] = {
        {model::kDiskToDisk, Step::ProceedDiskCopy, Step::Completed},
        {model::kDiskToImage, Step::ProceedDiskImage, Step::ImageCreated},
        {model::kDiskFromImage, Step::ProceedDiskRestore, Step::Completed},
        {model::kPartitionToPartition, Step::ProceedPartitionCopy, Step::Completed},
        {model::kPartitionToImage, Step::ProceedPartitionImage, Step::ImageCreated},
        {model::kPartitionFromImage, Step::ProceedPartitionRestore, Step::Completed},
        {model::kCheckImage, Step::ProceedImageCheck, Step::ImageChecked},
        {model::kCheckDisk, Step::ProceedDiskCheck, Step::DiskChecked},
        {0, Step::None, Step::Completed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(proceedStep(c.opCode), c.proceed) << c.opCode;
        EXPECT_EQ(completionStep(c.opCode), c.completion) << c.opCode;
    }
}

}  // namespace
}  // namespace vxr::operations
