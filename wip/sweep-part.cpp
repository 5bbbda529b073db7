void CollaudoFrm::CmdEsplora_Click() {
    if (sweepRunning() || !rangeAccepted())
        return;
    m_pendingSweep = std::make_shared<SweepOutcome>();
    SweepRunner::Job job = sweepJob(*Parametri, m_archive, m_pendingSweep);
    m_frame.setProgressMaximum(100);
    m_frame.setProgressValue(0);
    setSweeping(true);
    LblEsplora->setText(QStringLiteral("Esplorazione in corso…"));
    m_runner->start(std::move(job));
}

void CollaudoFrm::CmdAnnulla_Click() {
    m_runner->cancel();
}

void CollaudoFrm::sweepProgress(int done, int total) {
    if (total > 0)
        m_frame.setProgressValue(static_cast<int>(100LL * done / total));
}

void CollaudoFrm::sweepFinished(bool cancelled) {
    setSweeping(false);
    m_frame.setProgressValue(0);
    std::shared_ptr<SweepOutcome> finished = std::move(m_pendingSweep);
    if (cancelled || !finished) {
        // The previous results stay as they were.
        LblEsplora->setText(m_sweep
                                ? QStringLiteral("Esplorazione annullata: restano i risultati precedenti.")
                                : QStringLiteral("Esplorazione annullata."));
        return;
    }
    m_sweep = std::move(finished);
    const SweepShown shown = presentSweep(*m_sweep);
    FgEsplora->setHeaders(shown.headers);
    FgEsplora->setRows(shown.rows);
    LblEsplora->setText(shown.caption);
    Schede->setCurrentIndex(2);
}

void CollaudoFrm::setSweeping(bool sweeping) {
    CmdAnnulla->setEnabled(sweeping);
    CmdEsplora->setEnabled(!sweeping);
}

void CollaudoFrm::FgCasi_RowActivated(int sourceRow) {
    if (sourceRow >= 0 && sourceRow < static_cast<int>(m_caseDraws.size()))
        m_frame.showDraw(m_caseDraws[static_cast<std::size_t>(sourceRow)]);
}

void CollaudoFrm::FgEsplora_RowActivated(int sourceRow) {
    if (!m_sweep || !applySweepRow(*m_sweep, sourceRow, *Parametri))
        return;
    CmdCollauda_Click();
    Schede->setCurrentIndex(0);
}

