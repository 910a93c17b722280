// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset);
   input m_clock;
   input p_reset;
   wire _u1_a;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .a(_u1_a));
endmodule

module n(m_clock, p_reset);
   input m_clock;
   input p_reset;
   wire _v1_a;
   sub v1(.m_clock(m_clock), .p_reset(p_reset), .a(_v1_a));
endmodule
