# The exact AUC, its DeLong SE and interval, and DeLong's paired test of two
# score files, as R's pROC computes them: an independent reference for
# rocplot's --report and --compare.
#
# Usage: Rscript proc_reference.R FIRST SECOND [A:B,C:D,... | unpaired]
# Each file holds "score,class" lines; prints name<TAB>value lines named as
# rocplot's report names them.  With bands A:B, ... only FIRST's partial AUC
# over each band of false-positive rates, raw and McClish-corrected (NA where
# the correction is not defined), as partial_auc@A:B and
# partial_auc_corrected@A:B.  With "unpaired", both AUCs and DeLong's
# unpaired test of FIRST and SECOND, scored on different cases.
suppressPackageStartupMessages(library(pROC))
args <- commandArgs(trailingOnly = TRUE)
read <- function(path) read.csv(path, header = FALSE, col.names = c("score", "class"))
a <- read(args[1])
b <- read(args[2])
curve <- function(d) roc(d$class, d$score, levels = c(0, 1), direction = "<", quiet = TRUE)
ra <- curve(a)
rb <- curve(b)
show <- function(name, value) cat(name, "\t", format(value, digits = 17), "\n", sep = "")
if (length(args) >= 3 && args[3] == "unpaired") {
  test <- roc.test(ra, rb, method = "delong", paired = FALSE)
  show("first_auc", as.numeric(auc(ra)))
  show("second_auc", as.numeric(auc(rb)))
  show("z", as.numeric(test$statistic))
  show("p", test$p.value)
  quit(save = "no")
}
if (length(args) >= 3) {
  for (text in strsplit(args[3], ",")[[1]]) {
    band <- as.numeric(strsplit(text, ":")[[1]])
    partial <- function(correct) {
      suppressWarnings(as.numeric(auc(ra, partial.auc = c(1 - band[1], 1 - band[2]),
                                      partial.auc.focus = "specificity",
                                      partial.auc.correct = correct)))
    }
    show(paste0("partial_auc@", text), partial(FALSE))
    show(paste0("partial_auc_corrected@", text), partial(TRUE))
  }
  quit(save = "no")
}
ci <- ci.auc(ra, method = "delong")
test <- roc.test(ra, rb, method = "delong", paired = TRUE)
show("exact_auc", as.numeric(auc(ra)))
show("exact_auc_se", sqrt(var(ra, method = "delong")))
show("exact_auc_low", ci[1])
show("exact_auc_high", ci[3])
show("second_auc", as.numeric(auc(rb)))
show("z", as.numeric(test$statistic))
show("p", test$p.value)
