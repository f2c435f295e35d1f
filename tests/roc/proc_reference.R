# The exact AUC, its DeLong SE and interval, and DeLong's paired test of two
# score files, as R's pROC computes them: an independent reference for
# rocplot's --report and --compare.
#
# Usage: Rscript proc_reference.R FIRST SECOND
# Each file holds "score,class" lines; prints name<TAB>value lines named as
# rocplot's report names them.
suppressPackageStartupMessages(library(pROC))
args <- commandArgs(trailingOnly = TRUE)
read <- function(path) read.csv(path, header = FALSE, col.names = c("score", "class"))
a <- read(args[1])
b <- read(args[2])
curve <- function(d) roc(d$class, d$score, levels = c(0, 1), direction = "<", quiet = TRUE)
ra <- curve(a)
rb <- curve(b)
ci <- ci.auc(ra, method = "delong")
test <- roc.test(ra, rb, method = "delong", paired = TRUE)
show <- function(name, value) cat(name, "\t", format(value, digits = 17), "\n", sep = "")
show("exact_auc", as.numeric(auc(ra)))
show("exact_auc_se", sqrt(var(ra, method = "delong")))
show("exact_auc_low", ci[1])
show("exact_auc_high", ci[3])
show("second_auc", as.numeric(auc(rb)))
show("z", as.numeric(test$statistic))
show("p", test$p.value)
