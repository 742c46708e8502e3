-- SPDX-License-Identifier: GPL-3.0-or-later
-- The settings file shipped beside the program: its schema and its one row per table.
-- The build turns this script into DataMg.mgd; the program itself never creates the file.

-- Commissioni: commission rate per thousand of an order's amount.
-- CommissioniMin: lowest commission charged on one order, in euro.
CREATE TABLE System (
    Commissioni    NUMERIC,
    CommissioniMin NUMERIC
);
INSERT INTO System (Commissioni, CommissioniMin) VALUES (1.9, 2.95);

-- CapitalGain: capital-gain tax rate in percent, applied to a positive gain for the gain
-- after tax (a loss is not taxed).
-- SLP: stop-loss distance in percent of the purchase price.
-- SLMM: money-management stop loss, the loss in euro on the whole position.
CREATE TABLE Settaggi (
    CapitalGain NUMERIC,
    SLP         NUMERIC,
    SLMM        NUMERIC
);
INSERT INTO Settaggi (CapitalGain, SLP, SLMM) VALUES (26, 5, 100);
