#pragma once
// `BrowseWRK:OnGroup`: the rates of one category, by code, with insert, change and delete
// through the rate form. The category is the one in the thread's NSBRAZ buffer when the list
// opens; lookups that change that buffer later move neither the list nor its new rates.

void BrowseWRKOnGroup();
