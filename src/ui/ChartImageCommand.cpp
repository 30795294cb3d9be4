#include "ui/ChartImageCommand.h"

#include "core/ConventionTexts.h"
#include "core/LanguageTexts.h"
#include "output/ChartOutput.h"
#include "output/ImageSize.h"
#include "ui/Prompts.h"

#include <algorithm>

void RunChartImageSave(QWidget* owner, const ChartPair& charts, bool monthMode,
                       DateTime currentDate) {
    QString path = ProposedImageName(monthMode, currentDate);
    int filterIndex = 0;
    SaveDialogChoice size;
    size.Label = Text(TextImageSize);
    for (int i = 0; i < ImageSizeChoiceCount; ++i) {
        size.Entries << ImageSizeText(static_cast<ImageSizeChoice>(i));
        // BMP is the picture of the screen; the file types after it are drawn for a size.
        size.Applies.push_back(ImageFormatOfFilter(i) != ImageFormat::Bmp);
    }
    size.Chosen = static_cast<int>(ImageSizeOfThisRun());
    if (!CurrentPrompts().ShowSaveDialogWithChoice(path, owner, ChartImageFilter(), filterIndex,
                                                   size))
        return;
    ImageSizeOfThisRun() =
        static_cast<ImageSizeChoice>(std::clamp(size.Chosen, 0, ImageSizeChoiceCount - 1));
    SaveChartImages(charts, WithImageSuffix(path, filterIndex), ImageSizeOfThisRun());
}
