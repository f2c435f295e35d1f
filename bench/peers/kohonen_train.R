# The peer of somtrain's benchmark: R's kohonen trains a hexagonal map of
# ROWS x COLS units on TABLE (blank-separated numbers) for EPOCHS epochs in
# batch mode on one core and in parallel batch mode on two, its default
# radius.  Prints, for each mode, its name, the training's seconds (reading
# the table left out) and the quantization error (the mean Euclidean
# distance of the objects to their units).
#   Rscript kohonen_train.R TABLE ROWS COLS EPOCHS
library(kohonen)
a <- commandArgs(TRUE)
X <- as.matrix(read.table(a[1]))
grid <- somgrid(as.integer(a[3]), as.integer(a[2]), "hexagonal")
for (mode in c("batch", "pbatch")) {
  set.seed(1)
  start <- proc.time()[["elapsed"]]
  m <- som(X, grid = grid, rlen = as.integer(a[4]), mode = mode, cores = 2)
  seconds <- proc.time()[["elapsed"]] - start
  error <- mean(sqrt(rowSums((X - m$codes[[1]][m$unit.classif, ])^2)))
  cat(mode, seconds, error, "\n")
}
