# Hand and Till's M for a matrix of per-class scores, as R's pROC computes it
# (multiclass.roc): an independent reference for rocplot --multiclass.
#
# Usage: Rscript multiclass_reference.R FILE
# FILE holds "class,score_1,...,score_K" lines without a header; prints
# hand_till_m<TAB>value.
suppressPackageStartupMessages(library(pROC))
args <- commandArgs(trailingOnly = TRUE)
d <- read.csv(args[1], header = FALSE)
classes <- ncol(d) - 1
scores <- as.matrix(d[, -1])
colnames(scores) <- as.character(seq_len(classes) - 1)
m <- multiclass.roc(factor(d[, 1], levels = colnames(scores)), scores, quiet = TRUE)
cat("hand_till_m\t", format(as.numeric(auc(m)), digits = 17), "\n", sep = "")
