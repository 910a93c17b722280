// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, x);
   input m_clock;
   input p_reset;
   input x;
   wire [7:0] _u1_d;
   wire [1:0] _u1_q;
   wire [3:0] _u1_bus;
   wire _u1_go;
   wire _u1_done;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .d(_u1_d), .q(_u1_q), .bus(_u1_bus), .go(_u1_go), .done(_u1_done));

   assign _u1_go = 1'b0;
endmodule
