#include "filetools/ShredderRun.h"

#include "fileengines/FileDeleter.h"
#include "common/PathFacts.h"
#include "shell/Unit1.h"

ShredderRun StartShredderRun(TForm2& window, const ShredderJob& job, ShredderIo& io)
{
    ShredderRun run;
    if (job.freeSpace) {
        run.result = window.RunShredder({"", "-p", job.passes, "-z", job.path}, io);
        return run;
    }
    const DWORD attributes = GetFileAttributesA(job.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        run.start = ShredderRun::Start::Missing;
        return run;
    }
    // Overwriting through a link would wipe what it leads to, outside the chosen target;
    // some systems even apply the attribute changes of a link to its target.
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || cleaning::NameLeadsElsewhere(job.path)) {
        window.LinksRefused.push_back(job.path);
        run.start = ShredderRun::Start::Link;
        return run;
    }
    window.Memo1->SetText(window.MinimizeName(job.path));
    if (Form1)
        Form1->WipeRunning = 0; // the window's timer shows a wipe's progress otherwise
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        run.result = window.RunShredder({"", "-p", job.passes, "-s", job.path}, io);
    else
        run.result = window.RunShredder({"", "-p", job.passes, job.path}, io);
    window.ProcessMessages();
    run.gone = !common::Exists(job.path);
    if (!run.gone)
        SetFileAttributesA(job.path.c_str(), attributes);
    return run;
}
