#include "startbench.h"

#include "childrun.h"
#include "measure.h"
#include "ripgrep.h"
#include "table.h"

#include <optional>
#include <vector>

namespace {

// Seconds of one run, or nothing when the program failed.
std::optional<double> versionSeconds(const QString &program)
{
    const ChildRun run = runChild(program, {QStringLiteral("--version")}, "/dev/null");
    return run.exitCode == 0 ? std::optional<double>(run.seconds) : std::nullopt;
}

} // namespace

void benchStartAndExit(const QString &cli, int repetitions)
{
    if (cli.isEmpty() || !ripgrepInstalled())
        return;
    std::vector<double> cliSeconds;
    std::vector<double> rgSeconds;
    for (int i = 0; i < repetitions; ++i) {
        const auto cliRun = versionSeconds(cli);
        const auto rgRun = versionSeconds(QStringLiteral("rg"));
        if (!cliRun || !rgRun)
            return;
        cliSeconds.push_back(*cliRun);
        rgSeconds.push_back(*rgRun);
    }
    TableRow row(QStringLiteral("all"), QStringLiteral("start and exit (--version)"));
    row.rgSeconds = median(rgSeconds);
    row.cliSeconds = median(cliSeconds);
    row.notes = QStringLiteral("qvx-cli %1 ms, rg %2 ms, each run as the searches are")
                    .arg(row.cliSeconds * 1e3, 0, 'f', 1)
                    .arg(row.rgSeconds * 1e3, 0, 'f', 1);
    printTableRow(row);
}
